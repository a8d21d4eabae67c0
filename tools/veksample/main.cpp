// veksample FOLDER: adds the sample world's local map and interiors, joined
// by teleports, to a world made by a world script (vekgen world).
#include <cstdio>
#include <string>

#include "sample_maps.h"
#include "tools/cli/command_line.h"

namespace {

constexpr const char* kUsage =
    "usage: veksample FOLDER\n"
    "       veksample --help | --version\n"
    "\n"
    "Adds the sample world's town (a local map), inn and cave, joined by\n"
    "teleports, to the wilderness maps in FOLDER (made by vekgen world) and\n"
    "prints where the town is. Exit status: 0 written, 1 failed, 64 usage\n"
    "error.\n";

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  if (vek::cli::answersHelpOrVersion(argc, argv, "veksample", kUsage, status)) return status;
  if (argc != 2) return vek::cli::usageError("veksample", "give one folder", kUsage);
  if (argv[1][0] == '-') {
    return vek::cli::usageError("veksample", std::string("unknown option ") + argv[1], kUsage);
  }
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '/') folder += '/';
  vek::SampleMaps added;
  std::string error;
  if (!vek::addSampleMaps(folder, added, error)) {
    std::fprintf(stderr, "veksample: %s\n", error.c_str());
    return 1;
  }
  std::printf("veksample: town at cell %d,%d of %s\n", added.townColumn + 1, added.townRow + 1,
              added.wildernessPath.c_str());
  std::printf("veksample: wrote %s, %s and %s\n", added.localPath.c_str(), added.innPath.c_str(),
              added.cavePath.c_str());
  return 0;
}
