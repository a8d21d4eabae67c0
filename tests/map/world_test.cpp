// A world: its map files' names; wilderness maps by place and others by name,
// read on demand; the 960 x 480 cells; changes marked per map and nothing
// else; and the world check over a hand-made world with each problem once.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "map/map_naming.h"
#include "map/world.h"
#include "map/world_check.h"
#include "problem_world.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek {
namespace {

WildernessCode codeOf(const std::string& path) {
  WildernessCode code;
  code.update("??.MAP");
  code.update(path);
  return code;
}

TEST(MapNaming, PathsOfWildernessLocalAndDestinationMapsThatFitAPathBuffer) {
  const std::string longest(1023 - 9, 'f');  // and "VEKAA.MAP": 1,023 characters
  const std::optional<std::string> cases[][2] = {
      {wildernessMapPath("D/", 1, 0), "D/VEKBA.MAP"},
      {wildernessMapPath("", 19, 19), "VEKTT.MAP"},
      {localMapPath("D/", codeOf("D/VEKBA.MAP"), 0, 0), "D/TBA2113.MAP"},
      {localMapPath("D/", codeOf("D/VEKCD.MAP"), 47, 23), "D/TCD6836.MAP"},
      {localMapPath("T/", codeOf("T/Q.MAP"), 22, 15), "T/TQ4328.MAP"},
      {localMapPath("", WildernessCode(), 0, 0), "T2113.MAP"},
      {teleportDestinationPath("D/", "CAVE.1"), "D/CAVE.1.MAP"},
      {teleportDestinationPath("D/", "../evil"), std::nullopt},  // out of the folder
      {teleportDestinationPath("D/", "a/b"), std::nullopt},
      {teleportDestinationPath("D/", "x..y"), std::nullopt},
      {wildernessMapPath(longest, 0, 0), longest + "VEKAA.MAP"},
      {wildernessMapPath(longest + "/", 0, 0), std::nullopt},
      {teleportDestinationPath(longest, "LONGER"), std::nullopt},
      {localMapPath(longest, codeOf("VEKAA.MAP"), 0, 0), std::nullopt},
      {localMapPath(longest.substr(4), codeOf("VEKAA.MAP"), 0, 0),
       longest.substr(4) + "TAA2113.MAP"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(path, expected);
  EXPECT_EQ(wildernessShortName(19, 19), "VEKTT");
}

TEST(MapNaming, WildernessCodeComesFromTheFileNameAlone) {
  const std::pair<std::string, std::string> cases[] = {
      {"/maps/VEKCD.MAP", "CD"},    {"/maps/VEKCD.OLD.MAP", "CD"},  // the first dot of the name
      {"/maps.d/NOEXT", "XT"},      // no dot: the name's last two
      {"/home/me/MYLAND.MAP", "ND"}, {"T/Q.MAP", "Q"},  // never the folder's '/'
      {"A.B.MAP", "A"},             {".MAP", ""}, {"/x/.MAP", ""}, {"", ""},
  };
  for (const auto& [path, code] : cases) EXPECT_EQ(codeOf(path).text(), code) << path;
}

TEST(MapNaming, ATeleportDestinationIsAPlainMapFileOfTheFolder) {
  const std::pair<std::string, bool> cases[] = {
      {"CAVE.MAP", false},     {"./CAVE.MAP", false},    {"B!C>1,1:D.MAP", true},
      {"A:B.MAP", true},       {"A\nB.MAP", true},       {".MAP", true},
      {"CAVE.map", true},      {"/CAVE.MAP", true},      {std::string(256, 'n') + ".MAP", true},
      {std::string(255, 'n') + ".MAP", false},
  };
  for (const auto& [chosen, refused] : cases)
    EXPECT_EQ(teleportDestinationRefusal(chosen, "").has_value(), refused) << chosen;
  const std::pair<const char*, bool> names[] = {
      {"CAVE", true}, {"T.AB", true}, {"", false},   {"a/b", false},
      {"..", false},  {"x>y", false}, {"x!", false}, {"a\nb", false},
  };
  for (const auto& [name, plain] : names) EXPECT_EQ(isPlainMapName(name), plain) << name;
}

void writeMap(const std::string& path, TileCode code, MapKind kind = MapKind::Wilderness) {
  Map map = test::filledMap(code, kind);
  map.addTeleport(3, 4, "CAVE");
  ASSERT_TRUE(map.save(path.c_str()));
}

// VEKAA 'a', VEKBA an interior 'i' (23 rows), VEKCA a short grid line, VEKDA
// no kind, VEKEA larger than a map can be, VEKTT 't', CAVE a local map.
void writeWorld(const std::string& folder) {
  writeMap(folder + "VEKAA.MAP", 'a');
  writeMap(folder + "VEKTT.MAP", 't');
  writeMap(folder + "VEKBA.MAP", 'i', MapKind::Interior);
  writeMap(folder + "CAVE.MAP", 'c', MapKind::Local);
  test::writeFileBytes(folder + "VEKCA.MAP", "WILDERNESS!\r\n short\r\n");
  test::writeFileBytes(folder + "VEKDA.MAP", "no kind here\r\n");
  test::writeFileBytes(folder + "VEKEA.MAP", test::readFileBytes(folder + "VEKAA.MAP") +
                                                 std::string(51150, '\n'));
}

TEST(World, CellsAreTheWildernessMapsSideBySideAndChangesAreMarkedPerMap) {
  test::TempDir dir;
  const std::string folder = dir.path() + "/";
  writeWorld(folder);
  World world(folder);
  EXPECT_EQ(world.loadWilderness(), 3);
  const std::tuple<int, int, TileCode> cells[] = {
      {0, 0, 'a'},    {47, 23, 'a'},  {48, 0, 'i'}, {95, 22, 'i'},
      {95, 23, 0},    // an interior's last row
      {96, 0, 0},     // a short grid line: unreadable
      {144, 0, 0},    // no kind keyword: not a map
      {192, 0, 0},    // larger than a map can be
      {912, 456, 't'}, {959, 479, 't'}, {500, 300, 0},
      {960, 0, 0},    {-1, 0, 0},     {0, 480, 0},
  };
  for (const auto& [x, y, code] : cells) EXPECT_EQ(world.cell(x, y), code) << x << "," << y;
  for (int column : {2, 3, 4})
    EXPECT_EQ(world.wilderness(column, 0).state, MapFileState::Unreadable) << column;
  EXPECT_EQ(world.wilderness(5, 0).state, MapFileState::Missing);
  EXPECT_EQ(world.named("CAVE").map.kind, MapKind::Local);
  EXPECT_EQ(world.named("NOWHERE").state, MapFileState::Missing);

  // Setting cells marks only the maps it changes, and keeps kind and teleports.
  unsigned long long before = world.revision();
  const std::tuple<int, int, TileCode, bool> cases[] = {
      {0, 0, 'a', false},    // the same code
      {1, 0, 'b', true},     // VEKAA
      {48, 23, 'x', false},  // the interior's unstored row
      {96, 0, 'x', false},   // unreadable: never replaced
      {192, 0, 0, false},    // missing and 0 already
      {192, 24, 'n', true},  // missing: becomes a new wilderness map (VEKEB)
      {960, 0, 'x', false},
  };
  for (const auto& [x, y, code, changes] : cases)
    EXPECT_EQ(world.setCell(x, y, code), changes) << x << "," << y;
  EXPECT_GT(world.revision(), before);

  std::vector<World::ChangedMap> changed = world.changedWilderness();
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0].path, folder + "VEKAA.MAP");
  EXPECT_EQ(changed[0].map->getTile(1, 0), 'b');
  EXPECT_EQ(changed[0].map->teleportCount(), 1);
  EXPECT_EQ(changed[1].path, folder + "VEKEB.MAP");
  Map expected;
  expected.setTile(0, 0, 'n');
  EXPECT_TRUE(*changed[1].map == expected);
  world.markSaved();
  EXPECT_TRUE(world.changedWilderness().empty());

  // What was read is a snapshot until the world is opened again.
  writeMap(folder + "VEKAA.MAP", 'z');
  EXPECT_EQ(world.cell(0, 0), 'a');
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
      {"BROKEN.MAP", Kind::NotAMap},          {"ISLAND.MAP", Kind::Unreachable},
      {"ORPHAN.MAP", Kind::NoWayIn},          {"VEKAA.MAP", Kind::MissingDestination},
      {"VEKAA.MAP", Kind::TeleportOutside},   {"VEKAA.MAP", Kind::BadTeleportName},
      {"VEKAA.MAP", Kind::NoWayBack},         {"VEKTT.MAP", Kind::MissingWilderness},
  };
  std::vector<std::pair<std::string, Kind>> found;
  for (const WorldProblem& problem : check.problems) found.push_back({problem.file, problem.kind});
  EXPECT_EQ(found, std::vector(std::begin(expected), std::end(expected)));
  EXPECT_EQ(check.problemCount(), 7);
  EXPECT_EQ(check.warningCount(), 1);
  EXPECT_FALSE(checkWorld("/nonexistent-folder/").folderReadable);
}

}  // namespace
}  // namespace vek
