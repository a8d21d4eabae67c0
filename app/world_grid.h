#pragma once

// The world map view's copy of a folder's 20 x 20 wilderness maps, side by
// side: the map at world column wc and row wr (0 to 19) fills grid columns
// 48 wc to 48 wc + 47 and rows 24 wr to 24 wr + 23.

#include <string>
#include <vector>

#include "map/map.h"
#include "map/map_naming.h"

namespace vek {

class WorldGrid {
 public:
  static constexpr int kColumns = kWorldSide * Map::kColumns;  // 960
  static constexpr int kRows = kWorldSide * Map::kRows;        // 480

  WorldGrid() : cells_(static_cast<std::size_t>(kColumns) * kRows, 0) {}

  // The code at grid column x, row y; 0 outside the grid.
  TileCode at(int x, int y) const {
    return contains(x, y) ? cells_[static_cast<std::size_t>(y) * kColumns + x] : 0;
  }
  // Stores a code inside the grid; outside it nothing happens.
  void set(int x, int y, TileCode code) {
    if (!contains(x, y)) return;
    cells_[static_cast<std::size_t>(y) * kColumns + x] = code;
    ++revision_;
  }
  // Every cell back to 0.
  void clear();
  // One grid row, kColumns codes; row must be in 0..kRows - 1.
  const TileCode* row(int y) const { return &cells_[static_cast<std::size_t>(y) * kColumns]; }

  static bool contains(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }

  // Changes whenever a cell may have changed, so that what is drawn from
  // the grid can tell whether it is still up to date.
  unsigned long long revision() const { return revision_; }

 private:
  std::vector<TileCode> cells_;
  unsigned long long revision_ = 0;
};

// VIEW WORLD MAP's snapshot of a world: clears the grid, then copies into it
// every wilderness map of folder ("VEKAA.MAP" to "VEKTT.MAP") that loads.
// A missing or unreadable file leaves its block 0; so does a name that
// would not fit a path buffer. Gives the number of maps copied.
int fillWorldGrid(WorldGrid& grid, const std::string& folder);

}  // namespace vek
