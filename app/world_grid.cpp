#include "app/world_grid.h"

#include <algorithm>
#include <optional>

namespace vek {

void WorldGrid::clear() {
  std::fill(cells_.begin(), cells_.end(), TileCode{0});
  ++revision_;
}

int fillWorldGrid(WorldGrid& grid, const std::string& folder) {
  grid.clear();
  int copied = 0;
  Map wilderness;  // one map reused for all 400 files
  for (int worldRow = 0; worldRow < kWorldSide; ++worldRow) {
    for (int worldColumn = 0; worldColumn < kWorldSide; ++worldColumn) {
      std::optional<std::string> path = wildernessMapPath(folder, worldColumn, worldRow);
      if (!path || !wilderness.load(path->c_str())) continue;
      for (int row = 0; row < Map::kRows; ++row) {
        for (int column = 0; column < Map::kColumns; ++column) {
          grid.set(worldColumn * Map::kColumns + column, worldRow * Map::kRows + row,
                   wilderness.getTile(column, row));
        }
      }
      ++copied;
    }
  }
  return copied;
}

}  // namespace vek
