#include "map/tile_block.h"

#include <algorithm>

#include "map/region_fill.h"

namespace vek {

TileBlock TileBlock::copiedFrom(const Map& map, const CellRect& rect) {
  CellRect inside{std::max(rect.left, 0), std::max(rect.top, 0),
                  std::min(rect.right, Map::kColumns - 1), std::min(rect.bottom, Map::kRows - 1)};
  TileBlock block;
  if (inside.width() <= 0 || inside.height() <= 0) return block;
  block.width_ = inside.width();
  block.height_ = inside.height();
  block.codes_.reserve(static_cast<std::size_t>(block.width_ * block.height_));
  for (int row = inside.top; row <= inside.bottom; ++row)
    for (int column = inside.left; column <= inside.right; ++column)
      block.codes_.push_back(map.getTile(column, row));
  return block;
}

TileCode TileBlock::at(int column, int row) const {
  if (column < 0 || column >= width_ || row < 0 || row >= height_) return 0;
  return codes_[static_cast<std::size_t>(row * width_ + column)];
}

int TileBlock::pasteInto(Map& map, Cell topLeft) const {
  int changed = 0;
  for (int row = 0; row < height_; ++row) {
    for (int column = 0; column < width_; ++column) {
      Cell cell{topLeft.column + column, topLeft.row + row};
      TileCode code = at(column, row);
      if (!isStoredCell(map, cell) || map.getTile(cell.column, cell.row) == code) continue;
      map.setTile(cell.column, cell.row, code);
      ++changed;
    }
  }
  return changed;
}

}  // namespace vek
