#pragma once

// What the user reads when a script does not build or stops with an
// exception: the file's name with the line (and column) of each place, as
// a compiler prints them, so the place can be found in any text editor.

#include <string>
#include <vector>

#include "script/script_host.h"

namespace vek {

// kErrorBuildingScript, then on a line each the first `limit` errors as
// "NAME:LINE:COLUMN: text" (NAME the file name of scriptPath; "NAME: text"
// for an error of no line), then how many more there were, if any.
std::string buildFailureMessage(const std::string& scriptPath,
                                const std::vector<ScriptDiagnostic>& diagnostics, int limit);

// "Script exception at NAME:LINE (in FUNCTION): TEXT", and that what the
// script did before it stays.
std::string exceptionMessage(const ScriptRunReport& report);

}  // namespace vek
