#pragma once

#include <vector>

#include "map/cell_rect.h"
#include "map/map.h"

namespace vek {

// A rectangular block of tile codes copied out of a map, to be placed on
// the same map or another one. Codes only: teleports are not part of it.
class TileBlock {
 public:
  // An empty block: nothing to place.
  TileBlock() = default;
  // The codes of rect's cells (the part of rect past the grid is left out;
  // a rectangle wholly outside it gives an empty block).
  static TileBlock copiedFrom(const Map& map, const CellRect& rect);

  bool empty() const { return codes_.empty(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // The code at (column, row) of the block; 0 outside it.
  TileCode at(int column, int row) const;

  // Writes the block with its top-left cell on topLeft. Cells that fall past
  // the grid, or on a row the map does not store (the last row of a local or
  // interior map), are left out. Gives the number of cells whose code changed.
  int pasteInto(Map& map, Cell topLeft) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TileCode> codes_;  // row by row
};

}  // namespace vek
