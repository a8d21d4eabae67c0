// Writing .MAP files: the exact bytes, and round trips through save and load.
#include <gtest/gtest.h>

#include <string>

#include "map/map.h"
#include "temp_dir.h"

namespace vek {
namespace {

// A grid line of the file: a space, 48 codes, CR LF.
std::string line(const std::string& codes) { return " " + codes + "\r\n"; }
std::string dots(int count) { return std::string(static_cast<std::size_t>(count), '.'); }

TEST(MapFileWrite, BytesOfEachKind) {
  // Every cell '.', the corners of the stored grid marked, two teleports.
  const std::string top = line("<" + dots(46) + ">");
  const std::string middle = line(dots(48));
  const std::string zeroAt5 = line(dots(5) + std::string(1, '\0') + dots(42));
  std::string local = top + zeroAt5;  // rows 0 to 22
  for (int row = 2; row < 22; ++row) local += middle;
  local += line("{" + dots(47));
  struct Case {
    MapKind kind;
    std::string expected;
  } cases[] = {
      {MapKind::Wilderness,
       "WILDERNESS!>25,20:TOWN1!>-5,12:FAR!!\r\n" + local + line("[" + dots(46) + "]")},
      {MapKind::Local, "LOCAL!~EXIT~>25,20:TOWN1!>-5,12:FAR!!\r\n" + local},
      {MapKind::Interior, "INTERIOR!>25,20:TOWN1!>-5,12:FAR!!\r\n" + local},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    Map map;
    map.kind = c.kind;
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, '.');
    map.setTile(0, 0, '<');
    map.setTile(47, 0, '>');
    map.setTile(5, 1, 0);
    map.setTile(0, 22, '{');
    map.setTile(0, 23, '[');
    map.setTile(47, 23, ']');
    map.addTeleport(5, 8, "TOWN1");
    map.addTeleport(-25, 0, "FAR!");
    std::string path = dir.file("OUT.MAP");
    ASSERT_TRUE(map.save(path.c_str()));
    EXPECT_EQ(test::readFileBytes(path), c.expected) << "kind " << static_cast<int>(c.kind);
  }
  Map empty;
  ASSERT_TRUE(empty.save(dir.file("NEW.MAP").c_str()));
  std::string expected = "WILDERNESS!\r\n";
  for (int i = 0; i < 24; ++i) expected += line(std::string(48, '\0'));
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
    original.addTeleport(1, 1, "A");
    original.addTeleport(-40, -3, "NEGATIVE");
    original.addTeleport(48, 24, std::string(255, 'X').c_str());
    std::string path = dir.file("ROUND.MAP");
    ASSERT_TRUE(original.save(path.c_str()));

    Map copy;
    copy.kind = kind == MapKind::Wilderness ? MapKind::Local : MapKind::Wilderness;
    ASSERT_TRUE(copy.load(path.c_str()));
    EXPECT_EQ(copy.kind, kind);
    ASSERT_EQ(copy.teleportCount(), original.teleportCount());
    for (int i = 0; i < original.teleportCount(); ++i) {
      const Teleport& a = original.teleports()[i];
      const Teleport& b = copy.teleports()[i];
      EXPECT_EQ((std::vector<int>{a.x, a.y}), (std::vector<int>{b.x, b.y}));
      EXPECT_STREQ(a.name, b.name);
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
  map.addTeleport(1, 1, std::string(1022 - 800 - 8, 'E').c_str());  // 1,022 characters
  ASSERT_TRUE(map.save(path.c_str()));
  std::string before = test::readFileBytes(path);
  Map back;
  ASSERT_TRUE(back.load(path.c_str()));
  EXPECT_EQ(back.teleportCount(), 4);

  map.addTeleport(1, 1, "");  // 1,030 characters
  EXPECT_FALSE(map.save(path.c_str()));
  EXPECT_EQ(test::readFileBytes(path), before);
}

}  // namespace
}  // namespace vek
