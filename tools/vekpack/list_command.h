#pragma once

#include <string>

namespace vek {

// Prints every entry of the archive: name, expanded size, run-length unit
// (0: stored as it is) and whether it decodes as a picture. Gives the exit
// status: 0, or 1 when the archive cannot be opened or an entry cannot be
// read.
int listArchive(const std::string& path);

}  // namespace vek
