// The three generation commands over the real host and engine, on disk.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "map/map_naming.h"
#include "script/generation_commands.h"
#include "script_test_support.h"
#include "test_maps.h"

namespace vek {
namespace {

using test::ScriptHarness;
using Records = std::vector<std::string>;

// A map whose every cell holds a code derived from its place.
Map patternedMap(MapKind kind) {
  Map map;
  map.kind = kind;
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, static_cast<TileCode>(1 + x + y));
  }
  return map;
}

using test::countNonZeroCells;

TEST(PlaceFeature, ChangesOnlyTheCellTheScriptWritesAndSeesTheMap) {
  ScriptHarness harness;
  harness.fixedPointer.pixelX = 5 * 18 + 3;  // cell (6, 4) in script coordinates
  harness.fixedPointer.pixelY = 3 * 20 + 19;
  Map map = patternedMap(MapKind::Wilderness);
  map.addTeleport(3, 4, "INN");
  Map before = map;
  harness.addScript(R"(void main() {
    int x, y;
    getpos(x, y);
    recordInt(gettile(x, y));
    settile(x, y, 200);
  })");
  ASSERT_TRUE(placeFeature(map, *harness.host));
  EXPECT_EQ(harness.records, Records{std::to_string(before.getTile(5, 3))});
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) {
      TileCode expected = (x == 5 && y == 3) ? 200 : before.getTile(x, y);
      ASSERT_EQ(map.getTile(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(map.teleportCount(), 1);
}

TEST(PlaceFeature, OnALocalMapTheLastRowReadsZeroAndIgnoresWrites) {
  for (MapKind kind : {MapKind::Local, MapKind::Interior}) {
    ScriptHarness harness;
    Map map = patternedMap(kind);
    harness.addScript(R"(void main() {
      int sum = 0;
      for (int x = 1; x <= 48; x++) { sum += gettile(x, 24); settile(x, 24, 77); }
      recordInt(sum);
      recordInt(gettile(48, 23));
      settile(48, 23, 99);
    })");
    ASSERT_TRUE(placeFeature(map, *harness.host));
    EXPECT_EQ(harness.records, (Records{"0", std::to_string(1 + 47 + 22)}));
    for (int x = 0; x < Map::kColumns; ++x) EXPECT_EQ(map.getTile(x, 23), 0);
    EXPECT_EQ(map.getTile(47, 22), 99);
    EXPECT_EQ(map.kind, kind);
  }
}

TEST(GenerateCurrentMap, ClearsTheMapThenWritesTheTopLeftBlockOfARunThatCounts) {
  for (MapKind kind : {MapKind::Wilderness, MapKind::Local}) {
    ScriptHarness harness;
    harness.grid->set(1, 1, 5);  // left by an earlier run: cleared first
    harness.grid->set(900, 400, 5);
    Map map = patternedMap(kind);
    map.addTeleport(1, 1, "CAVE");
    harness.addScript("void main() { recordInt(gettile(1, 1) + gettile(900, 400)); }");
    ASSERT_TRUE(generateCurrentMap(map, *harness.host));
    EXPECT_EQ(harness.records, Records{"0"});
    EXPECT_EQ(countNonZeroCells(map), 0);
    EXPECT_EQ(map.kind, kind);
    EXPECT_EQ(map.teleportCount(), 1);
  }
  // Only the top-left block is written, and only after a run that counts.
  ScriptHarness harness;
  Map map = patternedMap(MapKind::Wilderness);
  harness.addScript("void main() { settile(1, 1, 7); settile(49, 1, 8); int z = 0; z = 1 / z; "
                    "settile(2, 1, 9); }");
  ASSERT_TRUE(generateCurrentMap(map, *harness.host));
  EXPECT_EQ(map.getTile(0, 0), 7);
  EXPECT_EQ(countNonZeroCells(map), 1);

  // A run that does not build, or a cancelled one, leaves the map as it was.
  Map untouched = patternedMap(MapKind::Wilderness);
  harness.messages.shown.clear();
  harness.addScript("void main() { settile(1, 1, 0) }");  // missing ';'
  EXPECT_FALSE(placeFeature(untouched, *harness.host));
  EXPECT_EQ(harness.messages.shown.size(), 1u);
  EXPECT_FALSE(placeFeature(untouched, *harness.host));
  EXPECT_FALSE(generateCurrentMap(untouched, *harness.host));
  EXPECT_EQ(untouched.getTile(0, 0), 1);
  EXPECT_EQ(harness.messages.shown.size(), 1u) << "a cancelled run says nothing";
}

class WorldFolder : public ::testing::Test {
 protected:
  std::string mapPath(const std::string& name) const { return harness.dir.file(name); }
  std::string currentPath() const { return mapPath("TAB2214.MAP"); }

  ScriptHarness harness;
};

TEST_F(WorldFolder, EachBlockOfTheGridBecomesItsWildernessMapWithoutTeleports) {
  Map old = patternedMap(MapKind::Local);
  old.addTeleport(2, 3, "DUNGEON");
  ASSERT_TRUE(old.save(mapPath("VEKCD.MAP").c_str()));
  harness.addScript("void main() { settile(49, 1, 61); settile(48 * 2 + 1, 24 * 3 + 1, 9); }");
  WorldGenerationResult result =
      generateWorldMap(currentPath().c_str(), *harness.host, harness.messages);
  EXPECT_TRUE(result.scriptRan);
  EXPECT_EQ(result.filesWritten, 400);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_EQ(harness.messages.shown, Records{kWorldGenerationWarning});
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      std::string name = wildernessShortName(column, row);
      Map map;
      ASSERT_TRUE(map.load(mapPath(name + ".MAP").c_str())) << name;
      EXPECT_EQ(map.kind, MapKind::Wilderness);
      EXPECT_EQ(map.teleportCount(), 0);
      TileCode set = name == "VEKBA" ? 61 : name == "VEKCD" ? 9 : 0;
      EXPECT_EQ(countNonZeroCells(map), set ? 1 : 0) << name;
      EXPECT_EQ(map.getTile(0, 0), set) << name;
    }
  }
}

TEST_F(WorldFolder, APathWithoutAFolderWritesIntoTheWorkingDirectory) {
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::create_directory(mapPath("work"));
  std::filesystem::current_path(mapPath("work"));
  harness.addScript("void main() { settile(960, 480, 4); }");
  WorldGenerationResult result = generateWorldMap("", *harness.host, harness.messages);
  harness.addScript("void main() { }");
  WorldGenerationResult bare = generateWorldMap("VEKAA.MAP", *harness.host, harness.messages);
  std::filesystem::current_path(previous);
  EXPECT_EQ(result.filesWritten, 400);
  EXPECT_EQ(bare.filesWritten, 400);
  Map map;
  ASSERT_TRUE(map.load(mapPath("work/VEKTT.MAP").c_str()));
  EXPECT_EQ(countNonZeroCells(map), 0);  // the second run cleared it
  EXPECT_FALSE(std::filesystem::exists(mapPath("VEKAA.MAP")));
}

}  // namespace
}  // namespace vek
