// vektiles: writes the editor's default tile set.
//
// See kUsage.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "default_tile_set.h"
#include "core/safe_file.h"
#include "resources/archive_writer.h"
#include "tools/cli/command_line.h"

namespace {

constexpr const char* kUsage =
    "usage: vektiles OUT.dat [--bmp-dir DIR]\n"
    "       vektiles --help | --version\n"
    "\n"
    "Draws the editor's 256 default tile pictures and packs them into the\n"
    "archive OUT.dat; with --bmp-dir also writes each picture into the folder\n"
    "DIR as N.bmp. Exit status: 0 written, 1 failed, 64 usage error.\n";

int usageError(const std::string& message) {
  return vek::cli::usageError("vektiles", message, kUsage);
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  if (vek::cli::answersHelpOrVersion(argc, argv, "vektiles", kUsage, status)) return status;
  std::string archivePath;
  std::string bmpDir;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--bmp-dir") {
      if (i + 1 >= argc) return usageError("--bmp-dir needs a folder");
      bmpDir = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && archivePath.empty()) {
      archivePath = arg;
    } else {
      return usageError(arg.empty() || arg[0] != '-' ? "one archive only" : "unknown option " + arg);
    }
  }
  if (archivePath.empty()) return usageError("give the archive to write");

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
