#include "test_maps.h"

#include <gtest/gtest.h>

#include "map/map_naming.h"

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

Map picturedMap(char background, const std::vector<std::string>& picture, MapKind kind) {
  Map map;
  map.kind = kind;
  for (int row = 0; row < Map::kRows; ++row) {
    for (int column = 0; column < Map::kColumns; ++column) {
      bool inPicture = row < static_cast<int>(picture.size()) &&
                       column < static_cast<int>(picture[row].size());
      char cell = inPicture ? picture[row][column] : background;
      map.setTile(column, row, cell == '0' ? 0 : static_cast<TileCode>(cell));
    }
  }
  return map;
}

std::vector<std::string> mapRows(const Map& map) {
  std::vector<std::string> rows;
  for (int row = 0; row < Map::kRows; ++row) {
    std::string text;
    for (int column = 0; column < Map::kColumns; ++column) {
      TileCode code = map.getTile(column, row);
      text += code == 0 ? '0' : static_cast<char>(code);
    }
    rows.push_back(text);
  }
  return rows;
}

int countNonZeroCells(const Map& map) {
  int count = 0;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column) count += map.getTile(column, row) != 0;
  return count;
}

std::string teleportsText(const Map& map) {
  std::string text;
  for (const Teleport& t : map.teleports())
    text += (text.empty() ? "" : " ") + std::to_string(t.x) + "," + std::to_string(t.y) + ":" +
            t.name;
  return text;
}

void writeFilledWorld(const std::string& folder, TileCode code) {
  for (int row = 0; row < kWorldSide; ++row)
    for (int column = 0; column < kWorldSide; ++column)
      writeFilledMap(*wildernessMapPath(folder, column, row), code);
}

WorldCells::WorldCells(const std::string& folder) {
  for (int row = 0; row < kWorldSide; ++row)
    for (int column = 0; column < kWorldSide; ++column)
      maps_[row][column].load(wildernessMapPath(folder, column, row)->c_str());
}

TileCode WorldCells::at(int x, int y) const {
  return maps_[y / Map::kRows][x / Map::kColumns].getTile(x % Map::kColumns, y % Map::kRows);
}

}  // namespace vek::test
