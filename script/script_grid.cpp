#include "script_grid.h"

namespace vek {

TileCode ScriptGrid::get(int x, int y) const {
  return contains(x, y) ? cells_[static_cast<std::size_t>(indexOf(x, y))] : 0;
}

void ScriptGrid::set(int x, int y, int tile) {
  if (!contains(x, y) || tile < 0 || tile > 255) return;
  cells_[static_cast<std::size_t>(indexOf(x, y))] = static_cast<TileCode>(tile);
}

void ScriptGrid::clear() { cells_.fill(0); }

ScriptGrid& scriptGrid() {
  static ScriptGrid grid;
  return grid;
}

}  // namespace vek
