#pragma once

#include <string>
#include <vector>

namespace vek {

// vekworld render FOLDER OUT.png [--scale tile|cell] [--grid] [--data FILE]:
// the arguments after "render". Gives the exit status.
int runRenderCommand(const std::vector<std::string>& args);

// The tile archive a render of folder (a folder part) reads when --data
// does not name one: data.dat in the folder, else the one the build makes
// next to the program's folder, else the installed one. Empty when none
// exists.
std::string defaultTileArchive(const std::string& folder);

}  // namespace vek
