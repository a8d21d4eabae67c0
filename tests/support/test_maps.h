#pragma once

#include <string>

#include "map/map.h"

namespace vek::test {

// A map of this kind with every cell set to code.
Map filledMap(TileCode code, MapKind kind = MapKind::Wilderness);
// Saves filledMap(code, kind) at path (a test failure if it cannot).
void writeFilledMap(const std::string& path, TileCode code, MapKind kind = MapKind::Wilderness);
// How many cells of the map hold a code other than 0.
int countNonZeroCells(const Map& map);

}  // namespace vek::test
