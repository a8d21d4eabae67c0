#include "script/world_transform.h"

#include <utility>

#include "map/map_file.h"
#include "map/map_naming.h"

namespace vek {

void copyWorldIntoGrid(const World& world, ScriptGrid& grid) {
  for (int y = 0; y < World::kRows; ++y) {
    for (int x = 0; x < World::kColumns; ++x) grid.set(x + 1, y + 1, world.cell(x, y));
  }
}

int copyGridIntoWorld(const ScriptGrid& grid, World& world) {
  int changed = 0;
  for (int y = 0; y < World::kRows; ++y) {
    for (int x = 0; x < World::kColumns; ++x) {
      if (world.setCell(x, y, grid.get(x + 1, y + 1))) ++changed;
    }
  }
  return changed;
}

void saveChangedWilderness(World& world, WorldTransformResult& result) {
  std::vector<FileReplacement> files;
  for (const World::ChangedMap& changed : world.changedWilderness()) {
    std::optional<std::string> bytes = formatMapFile(*changed.map);
    if (!bytes) {
      result.failures.push_back({changed.path, kTeleportsDoNotFit});
      return;
    }
    files.push_back({changed.path, std::move(*bytes)});
  }
  FileSetResult saved = replaceFileSet(world.folder(), files);
  result.failures = std::move(saved.failures);
  if (!saved.ok()) return;
  for (const FileReplacement& file : files) result.writtenPaths.push_back(file.path);
  world.markSaved();
}

WorldTransformResult transformWorldMap(const char* currentPath, ScriptHost& host,
                                       MessageBox& warningBox) {
  WorldTransformResult result;
  warningBox.showMessage(kWorldTransformWarning);
  World world(folderPart(currentPath ? currentPath : ""));
  world.loadWilderness();
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      if (world.wilderness(column, row).state != MapFileState::Unreadable) continue;
      if (std::optional<std::string> path = world.wildernessPath(column, row)) {
        result.unreadablePaths.push_back(*path);
      }
    }
  }
  copyWorldIntoGrid(world, host.grid());
  if (!host.runScript()) return result;
  result.scriptRan = true;
  result.cellsChanged = copyGridIntoWorld(host.grid(), world);
  saveChangedWilderness(world, result);
  return result;
}

}  // namespace vek
