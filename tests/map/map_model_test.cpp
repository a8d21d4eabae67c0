// The map in memory: grid bounds per kind and the teleport list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "map/map.h"

namespace vek {
namespace {

TEST(MapModel, SetTileStaysInsideTheGridAndRow23BelongsToWildernessOnly) {
  struct Case {
    MapKind kind;
    int x, y;
    bool stored;
  } cases[] = {
      {MapKind::Wilderness, 0, 0, true},   {MapKind::Wilderness, 47, 23, true},
      {MapKind::Local, 47, 22, true},      {MapKind::Local, 0, 23, false},
      {MapKind::Interior, 10, 23, false},  {MapKind::Wilderness, 48, 0, false},
      {MapKind::Wilderness, 0, 24, false}, {MapKind::Wilderness, -1, 0, false},
      {MapKind::Wilderness, 0, -1, false},
  };
  for (const Case& c : cases) {
    Map map;
    map.kind = c.kind;
    map.setTile(c.x, c.y, 77);
    EXPECT_EQ(map.getTile(c.x, c.y), c.stored ? 77 : 0) << static_cast<int>(c.kind) << " " << c.x << "," << c.y;
    int stored = 0;
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x) stored += map.getTile(x, y) == 77;
    EXPECT_EQ(stored, c.stored ? 1 : 0) << "a write outside the grid landed somewhere";
    map.clearGrid();
    EXPECT_EQ(map.getTile(c.x, c.y), 0);
  }
  EXPECT_EQ(storedRows(MapKind::Wilderness), 24);
  EXPECT_EQ(storedRows(MapKind::Local), 23);
  EXPECT_EQ(storedRows(MapKind::Interior), 23);
}

TEST(MapModel, TeleportsKeepTheirOrderAndAreRemovedByIndex) {
  Map map;
  map.addTeleport(1, 2, "FIRST");
  map.addTeleport(3, 4, "SECOND");
  map.addTeleport(5, 6, std::string(1000, 'N').c_str());  // cut to 255 characters
  map.addTeleport(7, 8, nullptr);
  ASSERT_EQ(map.teleportCount(), 4);
  EXPECT_TRUE(map.removeTeleport(1));
  int x = 0, y = 0;
  char name[Map::kNameCapacity];
  ASSERT_TRUE(map.getTeleport(1, &x, &y, name));
  EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{5, 6}));
  EXPECT_EQ(std::string(name), std::string(255, 'N'));
  ASSERT_TRUE(map.getTeleport(2, nullptr, nullptr, name));
  EXPECT_STREQ(name, "");
  for (int bad : {-1, 3, 100}) {
    x = 99;
    std::strcpy(name, "untouched");
    EXPECT_FALSE(map.getTeleport(bad, &x, &y, name)) << bad;
    EXPECT_EQ(x, 99);
    EXPECT_STREQ(name, "untouched");
    EXPECT_FALSE(map.removeTeleport(bad)) << bad;
  }
  EXPECT_TRUE(map.removeTeleport(2));  // the last one
  EXPECT_TRUE(map.removeTeleport(0));  // the first one
  ASSERT_EQ(map.teleportCount(), 1);
  EXPECT_EQ(map.teleports()[0].x, 5);
  map.clearTeleports();
  EXPECT_EQ(map.teleportCount(), 0);
}

}  // namespace
}  // namespace vek
