#include "render_command.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>

#include "map/world.h"
#include "resources/data_archive.h"
#include "resources/installed_files.h"
#include "resources/tile_pictures.h"
#include "resources/world_picture_file.h"
#include "vekworld_status.h"

namespace vek {
namespace {

struct RenderOptions {
  std::string folder;
  std::string output;
  std::string archive;
  WorldPictureOptions picture;
};

bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--grid") {
      options.picture.gridLines = true;
    } else if (arg == "--scale" || arg == "--data") {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (arg == "--data") {
        options.archive = value;
      } else if (value == "tile" || value == "cell") {
        options.picture.scale = value == "tile" ? WorldPictureScale::Tile : WorldPictureScale::Cell;
      } else {
        error = "--scale wants tile or cell, not '" + value + "'";
        return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option '" + arg + "'";
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2 || positional[0].empty() || positional[1].empty()) {
    error = "render wants FOLDER and OUT.png";
    return false;
  }
  options.folder = positional[0];
  if (options.folder.back() != '/') options.folder += '/';
  options.output = positional[1];
  return true;
}

bool isReadableFolder(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  ::closedir(dir);
  return true;
}

bool exists(const std::string& path) { return !path.empty() && ::access(path.c_str(), R_OK) == 0; }

}  // namespace

std::string defaultTileArchive(const std::string& folder) {
  std::string programFolder = executableFolder();
  for (const std::string& candidate :
       {folder + "data.dat", programFolder.empty() ? std::string() : programFolder + "/../data.dat",
        installedTileArchivePath()}) {
    if (exists(candidate)) return candidate;
  }
  return {};
}

int runRenderCommand(const std::vector<std::string>& args) {
  RenderOptions options;
  std::string error;
  if (!parseRenderOptions(args, options, error)) return vekworldUsageError(error);
  if (!isReadableFolder(options.folder)) {
    std::fprintf(stderr, "vekworld: cannot read the folder %s\n", options.folder.c_str());
    return kVekworldUnreadable;
  }
  std::string archivePath =
      options.archive.empty() ? defaultTileArchive(options.folder) : options.archive;
  DataArchive archive(archivePath.c_str());
  TilePictures tiles;
  if (archivePath.empty() || !archive.open(1) || tiles.load(archive) == 0) {
    std::fprintf(stderr, "vekworld: no tile pictures in %s\n",
                 archivePath.empty() ? "data.dat (none found)" : archivePath.c_str());
    return kVekworldFailed;
  }
  World world(options.folder);
  if (!writeWorldPicture(world, tiles, options.picture, options.output, error)) {
    std::fprintf(stderr, "vekworld: %s\n", error.c_str());
    return kVekworldFailed;
  }
  std::printf("vekworld: wrote %s (%d x %d)\n", options.output.c_str(),
              worldPictureWidth(options.picture.scale), worldPictureHeight(options.picture.scale));
  return kVekworldOk;
}

}  // namespace vek
