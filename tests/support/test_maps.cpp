#include "test_maps.h"

#include <gtest/gtest.h>

namespace vek::test {

Map filledMap(TileCode code, MapKind kind) {
  Map map;
  map.kind = kind;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column) map.setTile(column, row, code);
  return map;
}

void writeFilledMap(const std::string& path, TileCode code, MapKind kind) {
  EXPECT_TRUE(filledMap(code, kind).save(path.c_str())) << path;
}

int countNonZeroCells(const Map& map) {
  int count = 0;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column) count += map.getTile(column, row) != 0;
  return count;
}

}  // namespace vek::test
