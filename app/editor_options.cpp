#include "app/editor_options.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "resources/installed_files.h"
#include "resources/tile_set.h"
#include "tools/cli/command_line.h"

namespace vek {
namespace {

constexpr const char* kProgram = "vekedit";

bool isReadable(const std::string& path) { return !path.empty() && ::access(path.c_str(), R_OK) == 0; }

}  // namespace

int parseEditorOptions(int argc, char** argv, EditorOptions& options) {
  int status = 0;
  if (cli::answersHelpOrVersion(argc, argv, kProgram, kEditorUsage, status)) return status;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--data") {
      if (i + 1 >= argc) return cli::usageError(kProgram, "--data needs a file", kEditorUsage);
      options.dataFile = argv[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      return cli::usageError(kProgram, "unknown option " + argument, kEditorUsage);
    } else if (options.mapFile.empty()) {
      options.mapFile = argument;
    } else {
      return cli::usageError(kProgram, "more than one map file", kEditorUsage);
    }
  }
  return -1;
}

std::string chooseTileArchive(const EditorOptions& options) {
  if (!options.dataFile.empty()) {
    if (isReadable(options.dataFile)) return options.dataFile;
    std::fprintf(stderr, "vekedit: cannot read %s: %s; tiles are drawn as characters\n",
                 options.dataFile.c_str(), std::strerror(errno));
    return options.dataFile;
  }
  if (isReadable(kTileArchiveName)) return kTileArchiveName;
  std::string installed = installedTileArchivePath();
  if (isReadable(installed)) return installed;
  std::fprintf(stderr,
               "vekedit: no tile pictures: neither %s in the working folder nor %s could be "
               "read; tiles are drawn as characters (give a tile set with --data FILE)\n",
               kTileArchiveName, installed.empty() ? "the installed tile set" : installed.c_str());
  return kTileArchiveName;
}

}  // namespace vek
