// Writing .MAP files: the exact bytes, and round trips through save and load.
#include <gtest/gtest.h>

#include <string>

#include "map/map.h"
#include "map_bytes.h"
#include "temp_dir.h"

namespace vek {
namespace {

// Fills the stored rows of map with the test pattern (no 0, 10 or 13).
void fillPattern(Map& map) {
  for (int y = 0; y < Map::kRows; ++y)
    for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, test::patternCode(x, y));
}

TEST(MapFileWrite, BytesOfEachKind) {
  struct Case {
    MapKind kind;
    std::string expected;
  } cases[] = {
      {MapKind::Wilderness, test::patternFile("WILDERNESS!>25,20:TOWN1!>-5,12:FAR!!", 24)},
      {MapKind::Local, test::patternFile("LOCAL!~EXIT~>25,20:TOWN1!>-5,12:FAR!!", 23)},
      {MapKind::Interior, test::patternFile("INTERIOR!>25,20:TOWN1!>-5,12:FAR!!", 23)},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    Map map;
    map.kind = c.kind;
    fillPattern(map);
    map.addTeleport(5, 8, "TOWN1");
    map.addTeleport(-25, 0, "FAR!");
    std::string path = dir.file("OUT.MAP");
    ASSERT_TRUE(map.save(path.c_str()));
    std::string written = test::readFileBytes(path);
    EXPECT_EQ(written, c.expected) << "kind " << static_cast<int>(c.kind);
    EXPECT_EQ(written.size(), c.expected.find("\r\n") + 2 + 51u * (c.kind == MapKind::Wilderness ? 24 : 23));
  }
}

TEST(MapFileWrite, NewMapIsWrittenWithCodeZeroEverywhere) {
  test::TempDir dir;
  Map map;
  ASSERT_TRUE(map.save(dir.file("NEW.MAP").c_str()));
  std::string row = " " + std::string(48, '\0') + "\r\n";
  std::string expected = "WILDERNESS!\r\n";
  for (int i = 0; i < 24; ++i) expected += row;
  EXPECT_EQ(test::readFileBytes(dir.file("NEW.MAP")), expected);
}

TEST(MapFileWrite, RoundTripsOfAllKinds) {
  test::TempDir dir;
  for (MapKind kind : {MapKind::Wilderness, MapKind::Local, MapKind::Interior}) {
    Map original;
    original.kind = kind;
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x)
        if ((x * 31 + y * 17) % 256 != 10) original.setTile(x, y, (x * 31 + y * 17) % 256);
    original.setTile(0, 0, 0);  // code 0 round-trips
    original.addTeleport(1, 1, "A");
    original.addTeleport(-40, -3, "NEGATIVE");
    original.addTeleport(48, 24, "ENDS!");
    original.addTeleport(48, 24, std::string(255, 'X').c_str());
    std::string path = dir.file("ROUND.MAP");
    ASSERT_TRUE(original.save(path.c_str()));

    Map copy;
    copy.kind = kind == MapKind::Wilderness ? MapKind::Local : MapKind::Wilderness;
    ASSERT_TRUE(copy.load(path.c_str()));
    EXPECT_EQ(copy.kind, kind);
    ASSERT_EQ(copy.teleportCount(), original.teleportCount());
    for (int i = 0; i < original.teleportCount(); ++i) {
      int x1, y1, x2, y2;
      char n1[Map::kNameCapacity], n2[Map::kNameCapacity];
      original.getTeleport(i, &x1, &y1, n1);
      copy.getTeleport(i, &x2, &y2, n2);
      EXPECT_EQ(x1, x2);
      EXPECT_EQ(y1, y2);
      EXPECT_STREQ(n1, n2);
    }
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x)
        ASSERT_EQ(copy.getTile(x, y), original.getTile(x, y)) << x << "," << y;
  }
}

TEST(MapFileWrite, AFirstLineTheReaderCannotTakeWholeIsRefused) {
  test::TempDir dir;
  std::string path = dir.file("MANY.MAP");
  Map map;
  for (int i = 0; i < 3; ++i) map.addTeleport(1, 1, std::string(255, 'T').c_str());
  ASSERT_TRUE(map.save(path.c_str()));  // 11 + 3 * 263 = 800 characters
  std::string before = test::readFileBytes(path);

  map.addTeleport(1, 1, std::string(255, 'T').c_str());  // 1,063 characters
  EXPECT_FALSE(map.save(path.c_str()));
  EXPECT_EQ(test::readFileBytes(path), before);

  // 1,022 characters are still taken whole.
  Map edge;
  edge.addTeleport(1, 1, std::string(255, 'E').c_str());
  edge.addTeleport(1, 1, std::string(255, 'E').c_str());
  edge.addTeleport(1, 1, std::string(255, 'E').c_str());
  edge.addTeleport(1, 1, std::string(1022 - 800 - 8, 'E').c_str());
  ASSERT_TRUE(edge.save(path.c_str()));
  Map back;
  ASSERT_TRUE(back.load(path.c_str()));
  EXPECT_EQ(back.teleportCount(), 4);
}

}  // namespace
}  // namespace vek
