// The world model: wilderness maps by place and other maps by name, read on
// demand; the 960 x 480 cells; changes marked per map and nothing else; and
// the world check over a hand-made world with each problem once.
#include <gtest/gtest.h>

#include "map/world.h"
#include "map/world_check.h"
#include "problem_world.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek {
namespace {

void writeMap(const std::string& path, TileCode code, MapKind kind = MapKind::Wilderness) {
  Map map = test::filledMap(code, kind);
  map.addTeleport(3, 4, "CAVE");
  ASSERT_TRUE(map.save(path.c_str()));
}

class WorldTest : public ::testing::Test {
 protected:
  WorldTest() : folder(dir.path() + "/") {
    writeMap(folder + "VEKAA.MAP", 'a');
    writeMap(folder + "VEKTT.MAP", 't');
    writeMap(folder + "VEKBA.MAP", 'i', MapKind::Interior);  // 23 rows
    test::writeFileBytes(folder + "VEKCA.MAP", "WILDERNESS!\r\n short\r\n");
    test::writeFileBytes(folder + "VEKDA.MAP", "no kind here\r\n");
    // A map with more after it than any map file can hold.
    writeMap(folder + "VEKEA.MAP", 'e');
    test::writeFileBytes(folder + "VEKEA.MAP", test::readFileBytes(folder + "VEKEA.MAP") +
                                                   std::string(51150, '\n'));
    writeMap(folder + "CAVE.MAP", 'c', MapKind::Local);
  }
  test::TempDir dir;
  std::string folder;
};

TEST_F(WorldTest, CellsAreTheWildernessMapsSideBySideAndZeroWhereNoneLoads) {
  World world(folder);
  EXPECT_EQ(world.loadWilderness(), 3);
  struct Case {
    int x, y;
    TileCode code;
  } cases[] = {
      {0, 0, 'a'},    {47, 23, 'a'},  {48, 0, 'i'}, {95, 22, 'i'},
      {95, 23, 0},    // an interior's last row
      {96, 0, 0},     // a short grid line: unreadable
      {144, 0, 0},    // no kind keyword: not a map
      {192, 0, 0},    // larger than a map can be
      {912, 456, 't'}, {959, 479, 't'}, {500, 300, 0},
      {960, 0, 0},    {-1, 0, 0},     {0, 480, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(world.cell(c.x, c.y), c.code) << c.x << "," << c.y;
  EXPECT_EQ(world.wilderness(2, 0).state, MapFileState::Unreadable);
  EXPECT_EQ(world.wilderness(3, 0).state, MapFileState::Unreadable);
  EXPECT_EQ(world.wilderness(4, 0).state, MapFileState::Unreadable);
  EXPECT_EQ(world.wilderness(5, 0).state, MapFileState::Missing);
  EXPECT_EQ(world.named("CAVE").state, MapFileState::Loaded);
  EXPECT_EQ(world.named("CAVE").map.kind, MapKind::Local);
  EXPECT_EQ(world.named("NOWHERE").state, MapFileState::Missing);
}

TEST_F(WorldTest, SetCellMarksOnlyTheMapsItChangesAndKeepsTheirKindAndTeleports) {
  World world(folder);
  unsigned long long before = world.revision();
  struct Case {
    int x, y;
    TileCode code;
    bool changes;
  } cases[] = {
      {0, 0, 'a', false},   // the same code
      {1, 0, 'b', true},    // VEKAA
      {48, 23, 'x', false}, // the interior's unstored row
      {96, 0, 'x', false},  // unreadable: never replaced
      {192, 0, 0, false},   // missing and 0 already
      {192, 24, 'n', true}, // missing: becomes a new wilderness map (VEKEB)
      {960, 0, 'x', false},
  };
  for (const Case& c : cases) EXPECT_EQ(world.setCell(c.x, c.y, c.code), c.changes) << c.x;
  EXPECT_GT(world.revision(), before);

  std::vector<World::ChangedMap> changed = world.changedWilderness();
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0].path, folder + "VEKAA.MAP");
  EXPECT_EQ(changed[0].map->teleportCount(), 1);
  EXPECT_EQ(changed[0].map->getTile(1, 0), 'b');
  EXPECT_EQ(changed[1].path, folder + "VEKEB.MAP");
  EXPECT_EQ(changed[1].map->kind, MapKind::Wilderness);
  EXPECT_EQ(changed[1].map->teleportCount(), 0);
  world.markSaved();
  EXPECT_TRUE(world.changedWilderness().empty());
}

TEST_F(WorldTest, OpenForgetsWhatWasReadSoLaterSavesShow) {
  World world(folder);
  EXPECT_EQ(world.cell(0, 0), 'a');
  writeMap(folder + "VEKAA.MAP", 'z');
  EXPECT_EQ(world.cell(0, 0), 'a');  // a snapshot until opened again
  world.open(folder);
  EXPECT_EQ(world.cell(0, 0), 'z');
}

TEST(WorldCheck, FindsEachKindOfProblemOnceInItsFile) {
  test::TempDir dir;
  std::string folder = dir.path() + "/";
  test::writeProblemWorld(folder);
  WorldCheck check = checkWorld(folder);
  ASSERT_TRUE(check.folderReadable);
  EXPECT_EQ(check.mapFiles, 399 + 6);

  using Kind = WorldProblemKind;
  const std::pair<std::string, Kind> expected[] = {
      {"BROKEN.MAP", Kind::NotAMap},
      {"ISLAND.MAP", Kind::Unreachable},
      {"ORPHAN.MAP", Kind::NoWayIn},
      {"VEKAA.MAP", Kind::MissingDestination},
      {"VEKAA.MAP", Kind::TeleportOutside},
      {"VEKAA.MAP", Kind::BadTeleportName},
      {"VEKAA.MAP", Kind::NoWayBack},
      {"VEKTT.MAP", Kind::MissingWilderness},
  };
  ASSERT_EQ(check.problems.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(check.problems[i].file, expected[i].first) << i;
    EXPECT_EQ(check.problems[i].kind, expected[i].second) << check.problems[i].text;
  }
  EXPECT_EQ(check.problemCount(), 7);
  EXPECT_EQ(check.warningCount(), 1);
}

TEST(WorldCheck, PlainNamesAndAnUnreadableFolder) {
  const std::pair<const char*, bool> names[] = {
      {"CAVE", true}, {"T.AB", true}, {"", false},   {"a/b", false},
      {"..", false},  {"x>y", false}, {"x!", false}, {"a\nb", false},
  };
  for (const auto& [name, plain] : names) EXPECT_EQ(isPlainMapName(name), plain) << name;
  EXPECT_FALSE(checkWorld("/nonexistent-folder/").folderReadable);
}

}  // namespace
}  // namespace vek
