// The map in memory: grid bounds per kind and the teleport list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "map/map.h"

namespace vek {
namespace {

TEST(MapModel, NewMapIsAnEmptyWildernessMap) {
  Map map;
  EXPECT_EQ(map.kind, MapKind::Wilderness);
  EXPECT_EQ(map.teleportCount(), 0);
  for (int y = 0; y < Map::kRows; ++y)
    for (int x = 0; x < Map::kColumns; ++x) ASSERT_EQ(map.getTile(x, y), 0) << x << "," << y;
}

TEST(MapModel, KindValuesAreTheGamesOwn) {
  EXPECT_EQ(static_cast<int>(MapKind::Wilderness), 1);
  EXPECT_EQ(static_cast<int>(MapKind::Local), 2);
  EXPECT_EQ(static_cast<int>(MapKind::Interior), 4);
}

TEST(MapModel, SetTileStaysInsideTheGridAndRow23BelongsToWildernessOnly) {
  struct Case {
    MapKind kind;
    int x, y;
    bool stored;
  } cases[] = {
      {MapKind::Wilderness, 0, 0, true},    {MapKind::Wilderness, 47, 23, true},
      {MapKind::Local, 47, 22, true},       {MapKind::Local, 0, 23, false},
      {MapKind::Interior, 10, 23, false},   {MapKind::Wilderness, 48, 0, false},
      {MapKind::Wilderness, 0, 24, false},  {MapKind::Wilderness, -1, 0, false},
      {MapKind::Wilderness, 0, -1, false},
  };
  for (const Case& c : cases) {
    Map map;
    map.kind = c.kind;
    map.setTile(c.x, c.y, 77);
    EXPECT_EQ(map.getTile(c.x, c.y), c.stored ? 77 : 0)
        << "kind " << static_cast<int>(c.kind) << " at " << c.x << "," << c.y;
    int stored = 0;
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x) stored += map.getTile(x, y) == 77;
    EXPECT_EQ(stored, c.stored ? 1 : 0) << "a write outside the grid landed somewhere";
  }
}

TEST(MapModel, TeleportsKeepTheirOrderAndAreRemovedByIndex) {
  Map map;
  map.addTeleport(1, 2, "FIRST");
  map.addTeleport(3, 4, "SECOND");
  map.addTeleport(5, 6, "THIRD");
  ASSERT_EQ(map.teleportCount(), 3);

  EXPECT_TRUE(map.removeTeleport(1));
  int x = 0, y = 0;
  char name[Map::kNameCapacity];
  ASSERT_TRUE(map.getTeleport(1, &x, &y, name));
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 6);
  EXPECT_STREQ(name, "THIRD");

  for (int bad : {-1, 2, 100}) {
    x = y = 99;
    std::strcpy(name, "untouched");
    EXPECT_FALSE(map.getTeleport(bad, &x, &y, name)) << bad;
    EXPECT_EQ(x, 99);
    EXPECT_STREQ(name, "untouched");
    EXPECT_FALSE(map.removeTeleport(bad)) << bad;
  }
  EXPECT_EQ(map.teleportCount(), 2);

  map.clearTeleports();
  EXPECT_EQ(map.teleportCount(), 0);
}

TEST(MapModel, RemovingTheOnlyTeleport) {
  Map map;
  map.addTeleport(1, 1, "A");
  EXPECT_FALSE(map.removeTeleport(1));
  EXPECT_TRUE(map.removeTeleport(0));
  EXPECT_EQ(map.teleportCount(), 0);
}

TEST(MapModel, LongTeleportNamesAreCutTo255Characters) {
  Map map;
  std::string longName(1000, 'N');
  map.addTeleport(1, 1, longName.c_str());
  map.addTeleport(2, 2, nullptr);
  char name[Map::kNameCapacity];
  ASSERT_TRUE(map.getTeleport(0, nullptr, nullptr, name));
  EXPECT_EQ(std::string(name), std::string(255, 'N'));
  ASSERT_TRUE(map.getTeleport(1, nullptr, nullptr, name));
  EXPECT_STREQ(name, "");
}

}  // namespace
}  // namespace vek
