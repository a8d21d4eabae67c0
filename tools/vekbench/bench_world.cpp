#include "bench_world.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "bench_platform.h"
#include "default_tile_set.h"
#include "map/map.h"
#include "map/map_naming.h"
#include "core/safe_file.h"
#include "resources/archive_writer.h"
#include "script/generation_commands.h"
#include "script/script_grid.h"
#include "script/script_host.h"

namespace vek::bench {
namespace {

constexpr int kEditTeleports = 20;

bool makeFolder(const std::string& path, std::string& error) {
  if (::mkdir(path.c_str(), 0755) == 0) return true;
  error = "cannot make " + path + ": " + std::strerror(errno);
  return false;
}

// Every cell of the two loops is visited in both scripts; only the calls
// differ, so the difference of their run times is what the calls cost.
constexpr const char* kCellsScript = R"(// settile and gettile on every cell
int total = 0;
void main() {
  for (int y = 1; y <= 480; y++)
    for (int x = 1; x <= 960; x++)
      settile(x, y, (x + y) & 255);
  for (int y = 1; y <= 480; y++)
    for (int x = 1; x <= 960; x++)
      total += gettile(x, y);
}
)";

constexpr const char* kLoopScript = R"(// the loops of the cells script without its calls
int total = 0;
int written = 0;
void main() {
  for (int y = 1; y <= 480; y++)
    for (int x = 1; x <= 960; x++)
      written = (x + y) & 255;
  for (int y = 1; y <= 480; y++)
    for (int x = 1; x <= 960; x++)
      total += (x + y) & 255;
}
)";

}  // namespace

BenchWorld::~BenchWorld() {
  if (root.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

bool BenchWorld::create(const std::string& worldScriptPath, std::string& error) {
  worldScript = worldScriptPath;
  return makeFolders(error) && writeArchive(error) && makeSampleWorld(error) &&
         writeEditMap(error) && writeCallScripts(error);
}

bool BenchWorld::makeFolders(std::string& error) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vekbench-XXXXXX";
  if (!::mkdtemp(pattern.data())) {
    error = "cannot make a temporary folder from " + pattern + ": " + std::strerror(errno);
    return false;
  }
  root = pattern + "/";
  archivePath = root + "data.dat";
  worldFolder = root + "world/";
  generateFolder = root + "generated/";
  savesFolder = root + "saved/";
  return makeFolder(worldFolder, error) && makeFolder(generateFolder, error) &&
         makeFolder(savesFolder, error);
}

bool BenchWorld::writeArchive(std::string& error) {
  ArchiveWriter archive;
  if (!addDefaultTiles(defaultTileFiles(), archive) || !archive.writeFile(archivePath.c_str())) {
    error = "cannot write the default tile set to " + archivePath;
    return false;
  }
  return true;
}

bool BenchWorld::makeSampleWorld(std::string& error) {
  BenchPlatform platform;
  platform.files.answerWith(worldScript);
  auto grid = std::make_unique<ScriptGrid>();
  ScriptHost host(*grid, platform.services);
  std::srand(kWorldSeed);
  WorldGenerationResult result =
      generateWorldMap(worldFolder.c_str(), host, platform.messages);
  if (!result.scriptRan || result.filesWritten != kWorldSide * kWorldSide) {
    error = "the world script " + worldScript + " did not make a world";
    for (const ScriptDiagnostic& diagnostic : host.lastRun().diagnostics) {
      error += "\n  " + std::to_string(diagnostic.line) + ": " + diagnostic.text;
    }
    return false;
  }
  return addSampleMaps(worldFolder, sample, error);
}

bool BenchWorld::writeEditMap(std::string& error) {
  Map map;
  // Every code 0..255 appears, four or five times each.
  for (int row = 0; row < Map::kRows; ++row) {
    for (int column = 0; column < Map::kColumns; ++column) {
      map.setTile(column, row, static_cast<TileCode>((row * Map::kColumns + column) % 256));
    }
  }
  for (int i = 0; i < kEditTeleports; ++i) {
    std::string name = "TVEKJJ" + std::to_string(21 + i) + std::to_string(13 + i % 24);
    map.addTeleport(1 + (i * 7) % Map::kColumns, 1 + (i * 5) % Map::kRows, name.c_str());
  }
  editMapPath = worldFolder + "EDIT.MAP";
  if (!map.save(editMapPath.c_str())) {
    error = "cannot write " + editMapPath;
    return false;
  }
  return true;
}

bool BenchWorld::writeCallScripts(std::string& error) {
  cellsScript = root + "cells.as";
  loopScript = root + "loop.as";
  if (!replaceFile(cellsScript.c_str(), kCellsScript) ||
      !replaceFile(loopScript.c_str(), kLoopScript)) {
    error = "cannot write the call scripts to " + root;
    return false;
  }
  return true;
}

}  // namespace vek::bench
