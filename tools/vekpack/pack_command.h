#pragma once

#include <string>
#include <vector>

namespace vek {

// Packs files into the archive at outPath, each under its file name without
// folder, coded in runs of runUnit bytes where that is smaller (0: all
// stored). Errors go to stderr. Gives the exit status: 0, or 1 when nothing
// was written (an archive already at outPath is then left as it was).
int packFiles(const std::string& outPath, const std::vector<std::string>& files, int runUnit);

}  // namespace vek
