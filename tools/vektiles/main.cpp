// vektiles: writes the editor's default tile set.
//
//   vektiles OUT.dat [--bmp-dir DIR]
//
// Draws the 256 tile pictures and packs them into the archive OUT.dat; with
// --bmp-dir it also writes each picture to DIR as N.bmp.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "default_tile_set.h"
#include "core/safe_file.h"
#include "resources/archive_writer.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: vektiles OUT.dat [--bmp-dir DIR]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string archivePath;
  std::string bmpDir;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--bmp-dir" && i + 1 < argc) {
      bmpDir = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && archivePath.empty()) {
      archivePath = arg;
    } else {
      return usage();
    }
  }
  if (archivePath.empty()) return usage();

  std::vector<vek::TileFile> files = vek::defaultTileFiles();
  if (!bmpDir.empty()) {
    for (const vek::TileFile& file : files) {
      std::string path = bmpDir + "/" + file.name;
      errno = 0;
      if (!vek::replaceFile(path.c_str(), file.bytes)) {
        std::fprintf(stderr, "vektiles: cannot write %s: %s\n", path.c_str(),
                     errno ? std::strerror(errno) : "write failed");
        return 1;
      }
    }
  }

  vek::ArchiveWriter archive;
  if (!vek::addDefaultTiles(files, archive)) {
    std::fprintf(stderr, "vektiles: the tile set does not fit an archive\n");
    return 1;
  }
  errno = 0;
  if (!archive.writeFile(archivePath.c_str())) {
    std::fprintf(stderr, "vektiles: cannot write %s: %s\n", archivePath.c_str(),
                 errno ? std::strerror(errno) : "write failed");
    return 1;
  }
  return 0;
}
