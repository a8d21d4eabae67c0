// veksample FOLDER: adds the sample world's local map and interiors, joined
// by teleports, to a world made by a world script (vekgen world).
#include <cstdio>
#include <string>

#include "sample_maps.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: veksample FOLDER\n");
    return 64;
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
