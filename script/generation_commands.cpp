#include "generation_commands.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "map/map_file.h"
#include "map/map_naming.h"

namespace vek {

void copyMapIntoGrid(const Map& map, ScriptGrid& grid) {
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) grid.set(x + 1, y + 1, map.getTile(x, y));
  }
}

void copyGridBlockIntoMap(const ScriptGrid& grid, int worldColumn, int worldRow, Map& map) {
  int left = worldColumn * Map::kColumns;
  int top = worldRow * Map::kRows;
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) {
      map.setTile(x, y, grid.get(left + x + 1, top + y + 1));
    }
  }
}

bool placeFeature(Map& map, ScriptHost& host) {
  copyMapIntoGrid(map, host.grid());
  if (!host.runScript()) return false;
  copyGridBlockIntoMap(host.grid(), 0, 0, map);
  return true;
}

bool generateCurrentMap(Map& map, ScriptHost& host) {
  host.grid().clear();
  if (!host.runScript()) return false;
  copyGridBlockIntoMap(host.grid(), 0, 0, map);
  return true;
}

FileSetResult saveWildernessMaps(const ScriptGrid& grid, const std::string& folder) {
  std::vector<FileReplacement> files;
  files.reserve(kWorldSide * kWorldSide);
  Map working;
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      std::optional<std::string> path = wildernessMapPath(folder, column, row);
      if (!path) {
        FileSetResult tooLong;
        tooLong.failures.push_back({folder + wildernessShortName(column, row) + ".MAP",
                                    std::strerror(ENAMETOOLONG)});
        return tooLong;
      }
      copyGridBlockIntoMap(grid, column, row, working);
      // A wilderness map without teleports always has a first line.
      files.push_back({*path, *formatMapFile(working)});
    }
  }
  return replaceFileSet(folder, files);
}

WorldGenerationResult generateWorldMap(const char* currentPath, ScriptHost& host,
                                       MessageBox& warningBox) {
  WorldGenerationResult result;
  host.grid().clear();
  // The warning only informs: the user can still back out at the dialog.
  warningBox.showMessage(kWorldGenerationWarning);
  std::string folder = folderPart(currentPath ? currentPath : "");
  if (!host.runScript()) return result;
  result.scriptRan = true;
  FileSetResult saved = saveWildernessMaps(host.grid(), folder);
  result.filesWritten = saved.filesReplaced;
  result.failures = std::move(saved.failures);
  return result;
}

}  // namespace vek
