#pragma once

// Building a script first in a child process. The engine's compiler ends
// the whole process on some wrong scripts instead of reporting an error:
// AngelScript 2.35.1 fails an assertion on a string constant in a bitwise
// operation ("a" | 1), and any compiler fault of that kind would take the
// editor down with the user's unsaved map. So each script is first built on
// a copy of the configured engine in a child process, where a crash can
// only take the copy down; the real build follows only if the child lived.

#include <cstddef>
#include <vector>

#include "script/script_host.h"

class asIScriptEngine;

namespace vek {

enum class BuildProbeResult {
  Survived,     // the build came to an end, with or without errors
  Crashed,      // the build ended the child process
  Unavailable,  // no child process could be made; nothing is known
};

struct BuildProbe {
  BuildProbeResult result = BuildProbeResult::Unavailable;
  // For Crashed: what the compiler reported before the crash (often the
  // error in the script that led the compiler astray).
  std::vector<ScriptDiagnostic> diagnostics;
};

// Builds code (length bytes) as the section sectionName of the module
// moduleName on the child's copy of engine, without running the
// initialisers of the script's globals (which may call host services), and
// tells whether the child survived. engine itself is not changed.
BuildProbe probeScriptBuild(asIScriptEngine& engine, const char* moduleName,
                            const char* sectionName, const char* code, std::size_t length);

}  // namespace vek
