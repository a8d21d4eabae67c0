#pragma once

// The grid that generation scripts read and write: 480 rows of 960 tile
// codes, room for the 20 x 20 wilderness maps of a world side by side. The
// map of world column c and row r (from 0) covers script columns 48c + 1 to
// 48c + 48 and rows 24r + 1 to 24r + 24; the top-left block stands for the
// current map.

#include <array>

#include "map/map.h"

namespace vek {

class ScriptGrid {
 public:
  static constexpr int kWidth = 960;
  static constexpr int kHeight = 480;
  static constexpr int kCells = kWidth * kHeight;

  // Coordinates are the scripts' own: x from 1 to 960, y from 1 to 480.
  static bool contains(int x, int y) { return x >= 1 && x <= kWidth && y >= 1 && y <= kHeight; }

  // The code of cell (x, y); 0 outside the grid.
  TileCode get(int x, int y) const;
  // Stores tile at (x, y); a cell outside the grid or a tile outside
  // 0..255 is ignored.
  void set(int x, int y, int tile);
  // Every cell back to 0.
  void clear();

 private:
  static int indexOf(int x, int y) { return (y - 1) * kWidth + (x - 1); }

  std::array<TileCode, kCells> cells_{};
};

// The program's one script grid: static storage, all 0 at start-up, and its
// content stays from one script run to the next (a feature script run after
// a world generation still reads the world).
ScriptGrid& scriptGrid();

}  // namespace vek
