#pragma once

#include <string>

namespace vek {

// Where the installed programs find what is installed with them: the
// install puts the programs in <prefix>/bin and the shared files in
// <prefix>/share/vek-map-editor, so each is found relative to the running
// program, wherever the prefix is.

// The folder of the running program (from /proc/self/exe), without a
// trailing '/'; empty when it cannot be told.
std::string executableFolder();

// <program folder>/../share/vek-map-editor/<name>; empty when the program's
// folder cannot be told. Whether the file exists is the caller's question.
std::string installedDataPath(const std::string& name);

// The installed default tile set: installedDataPath("data.dat").
std::string installedTileArchivePath();

}  // namespace vek
