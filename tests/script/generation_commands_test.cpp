// The generation commands over the real host and engine, on disk: PLACE
// FEATURE, GENERATE CURRENT MAP, GENERATE WORLD MAP and TRANSFORM WORLD MAP.

#include <gtest/gtest.h>

#include <filesystem>

#include "map/map_naming.h"
#include "script/generation_commands.h"
#include "script/world_transform.h"
#include "script_test_support.h"
#include "test_maps.h"

namespace vek {
namespace {

using test::countNonZeroCells;
using test::readFileBytes;
using test::ScriptHarness;
using Records = std::vector<std::string>;

// A map whose every cell holds a code derived from its place.
Map patternedMap(MapKind kind) {
  Map map;
  map.kind = kind;
  for (int y = 0; y < Map::kRows; ++y)
    for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, static_cast<TileCode>(1 + x + y));
  map.addTeleport(3, 4, "INN");
  return map;
}

TEST(PlaceFeature, SeesTheMapAndChangesOnlyTheCellsTheScriptWritesThatItsKindStores) {
  for (MapKind kind : {MapKind::Wilderness, MapKind::Local, MapKind::Interior}) {
    ScriptHarness harness;
    harness.fixedPointer.pixelX = 5 * 18 + 3;  // cell (6, 4) in script coordinates
    harness.fixedPointer.pixelY = 3 * 20 + 19;
    Map map = patternedMap(kind), expected = patternedMap(kind);
    expected.setTile(5, 3, 200);
    for (int x = 0; x < Map::kColumns; ++x) expected.setTile(x, 23, 77);  // not on a local map
    harness.addScript(R"(void main() {
      int x, y, lastRow = 0;
      getpos(x, y);
      for (int i = 1; i <= 48; i++) { lastRow += gettile(i, 24); settile(i, 24, 77); }
      recordInt(gettile(x, y)); recordInt(lastRow); recordInt(gettile(48, 23));
      settile(x, y, 200);
    })");
    ASSERT_TRUE(placeFeature(map, *harness.host));
    const bool wilderness = kind == MapKind::Wilderness;
    EXPECT_EQ(harness.records, (Records{"9", wilderness ? "2280" : "0", "70"}));
    EXPECT_EQ(test::mapRows(map), test::mapRows(expected));
    EXPECT_EQ(map.kind, kind);
    EXPECT_EQ(map.teleportCount(), 1);
  }
}

TEST(GenerateCurrentMap, ClearsTheMapThenWritesTheTopLeftBlockOfARunThatCounts) {
  for (MapKind kind : {MapKind::Wilderness, MapKind::Local}) {
    ScriptHarness harness;
    harness.grid->set(1, 1, 5);  // left by an earlier run: cleared first
    harness.grid->set(900, 400, 5);
    Map map = patternedMap(kind);
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
  harness.addScript("void main() { settile(1, 1, 0) }");  // missing ';'
  EXPECT_FALSE(placeFeature(untouched, *harness.host));
  EXPECT_FALSE(placeFeature(untouched, *harness.host));
  EXPECT_FALSE(generateCurrentMap(untouched, *harness.host));
  EXPECT_EQ(test::mapRows(untouched), test::mapRows(patternedMap(MapKind::Wilderness)));
}

TEST(GenerateWorldMap, EachBlockOfTheGridBecomesItsWildernessMapWithoutTeleports) {
  ScriptHarness harness;
  ASSERT_TRUE(patternedMap(MapKind::Local).save(harness.dir.file("VEKCD.MAP").c_str()));
  harness.addScript("void main() { settile(49, 1, 61); settile(48 * 2 + 1, 24 * 3 + 1, 9); }");
  WorldGenerationResult result =
      generateWorldMap(harness.dir.file("TAB2214.MAP").c_str(), *harness.host, harness.messages);
  EXPECT_TRUE(result.scriptRan && result.failures.empty());
  EXPECT_EQ(result.filesWritten, 400);
  EXPECT_EQ(harness.messages.shown, Records{kWorldGenerationWarning});
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      const std::string name = wildernessShortName(column, row);
      Map map;
      ASSERT_TRUE(map.load(harness.dir.file(name + ".MAP").c_str())) << name;
      TileCode set = name == "VEKBA" ? 61 : name == "VEKCD" ? 9 : 0;
      EXPECT_EQ(map.getTile(0, 0) * 1000 + countNonZeroCells(map), set ? set * 1000 + 1 : 0)
          << name;
      EXPECT_EQ(map.kind, MapKind::Wilderness);
      EXPECT_EQ(map.teleportCount(), 0);
    }
  }
  // A path without a folder writes into the working directory.
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::create_directory(harness.dir.file("work"));
  std::filesystem::current_path(harness.dir.file("work"));
  harness.addScript("void main() { settile(960, 480, 4); }");
  result = generateWorldMap("", *harness.host, harness.messages);
  harness.addScript("void main() { }");
  WorldGenerationResult bare = generateWorldMap("VEKAA.MAP", *harness.host, harness.messages);
  std::filesystem::current_path(previous);
  EXPECT_EQ(result.filesWritten + bare.filesWritten, 800);
  Map map;
  ASSERT_TRUE(map.load(harness.dir.file("work/VEKTT.MAP").c_str()));
  EXPECT_EQ(countNonZeroCells(map), 0);  // the second run cleared it
}

// The grid starts as the world on disk, and only the maps whose cells
// changed are written, each with its kind and teleports.
TEST(WorldTransform, WritesOnlyChangedMapsKeepingKindAndTeleports) {
  ScriptHarness harness;
  auto path = [&](const std::string& name) { return harness.dir.file(name); };
  Map local = test::filledMap('g', MapKind::Local), forest = test::filledMap('T');
  local.addTeleport(5, 6, "CAVE");
  forest.addTeleport(5, 6, "TOWN");
  ASSERT_TRUE(local.save(path("VEKAA.MAP").c_str()) && forest.save(path("VEKBA.MAP").c_str()));
  test::writeFileBytes(path("VEKCA.MAP"), "WILDERNESS!\r\n short\r\n");  // unreadable
  const std::string untouched = readFileBytes(path("VEKBA.MAP")) + readFileBytes(path("VEKCA.MAP"));
  auto transform = [&](const std::string& script) {
    harness.addScript(script);
    return transformWorldMap(path("VEKAA.MAP").c_str(), *harness.host, harness.messages);
  };
  // Grass becomes road everywhere; one cell in a missing map and one in the
  // unreadable map's block; reads of VEKBA see its forest.
  WorldTransformResult result = transform(
      "void main() {\n"
      "  for (int y = 1; y <= 480; y++)\n"
      "    for (int x = 1; x <= 960; x++)\n"
      "      if (gettile(x, y) == 103) settile(x, y, 61);\n"
      "  settile(960, 480, gettile(49, 1));\n"
      "  settile(97, 1, 5);\n"
      "}\n");
  ASSERT_TRUE(result.scriptRan);
  EXPECT_EQ(harness.messages.shown, Records{kWorldTransformWarning});
  EXPECT_EQ(result.writtenPaths, (Records{path("VEKAA.MAP"), path("VEKTT.MAP")}));
  EXPECT_EQ(result.unreadablePaths, Records{path("VEKCA.MAP")});
  EXPECT_EQ(result.cellsChanged, 48 * 23 + 1);  // a local map stores 23 rows
  Map changed(path("VEKAA.MAP").c_str());
  EXPECT_EQ(changed.kind, MapKind::Local);
  ASSERT_EQ(changed.teleportCount(), 1);
  EXPECT_STREQ(changed.teleports()[0].name, "CAVE");
  EXPECT_EQ(changed.getTile(47, 22), 61);
  Map created(path("VEKTT.MAP").c_str());
  EXPECT_EQ(created.kind, MapKind::Wilderness);
  EXPECT_EQ(created.getTile(47, 23), 'T');
  EXPECT_EQ(readFileBytes(path("VEKBA.MAP")) + readFileBytes(path("VEKCA.MAP")), untouched);

  // A run that does not count, or changes nothing, writes nothing.
  const std::string before = readFileBytes(path("VEKAA.MAP"));
  for (const char* script : {"void main() { settile(1, 1, 1) }",  // does not build
                             "void main() { settile(1, 1, gettile(1, 1)); }"}) {
    result = transform(script);
    EXPECT_EQ(result.writtenPaths.size() + result.cellsChanged, 0u) << script;
  }
  EXPECT_EQ(readFileBytes(path("VEKAA.MAP")), before);
}

}  // namespace
}  // namespace vek
