#pragma once

#include <string>
#include <vector>

#include "map/map.h"

namespace vek::test {

// A map of this kind with every cell set to code.
Map filledMap(TileCode code, MapKind kind = MapKind::Wilderness);
// Saves filledMap(code, kind) at path (a test failure if it cannot).
void writeFilledMap(const std::string& path, TileCode code, MapKind kind = MapKind::Wilderness);
// A map of background code with a picture in its top-left corner, one
// character per cell ('0' is code 0). Cells the kind does not store stay 0.
Map picturedMap(char background, const std::vector<std::string>& picture,
                MapKind kind = MapKind::Wilderness);
// The whole grid as 24 text rows, code 0 as '0': differences read easily.
std::vector<std::string> mapRows(const Map& map);
// How many cells of the map hold a code other than 0.
int countNonZeroCells(const Map& map);
// The teleports as "x,y:name" joined by spaces.
std::string teleportsText(const Map& map);
// Saves filledMap(code) as each of the 400 wilderness maps of folder (ending in '/').
void writeFilledWorld(const std::string& folder, TileCode code);

// The tiles of the 400 wilderness maps of a world folder by world cell
// (0..959, 0..479); a map that does not load reads as 0.
class WorldCells {
 public:
  explicit WorldCells(const std::string& folder);
  TileCode at(int x, int y) const;

 private:
  Map maps_[20][20];
};

}  // namespace vek::test
