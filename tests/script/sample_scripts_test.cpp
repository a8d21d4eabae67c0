// The sample scripts of examples/scripts, run through vekgen: they build,
// and what they make looks like what they promise.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "map/map.h"
#include "map/map_naming.h"
#include "temp_dir.h"
#include "vekgen_runner.h"

namespace vek {
namespace {

using test::contains;
using test::TempDir;

constexpr TileCode kDeepWater = '~', kShallowWater = 'w', kSand = 's', kGrass = ',',
                   kFarmland = 'F', kForest = 'T', kHills = 'n', kMountains = 'M', kRoad = '=',
                   kTown = 'o', kHouse = 'h', kWell = 'W';

// Every code of the default tile set.
const std::string kTileSet = "~wsd,FmTnM*X=BohCOW#.+<>ca";

std::string sample(const char* name) { return std::string(VEK_SAMPLE_SCRIPTS) + "/" + name; }

bool isWater(TileCode code) { return code == kDeepWater || code == kShallowWater; }

using test::WorldCells;

TEST(SampleScripts, TheWorldScriptMakesSeasCoastsLandAndRoadsAndWinterSnowsOnTheNorth) {
  TempDir dir;
  const std::string folder = dir.path() + "/";
  test::VekgenResult result =
      test::runVekgen({"world", sample("world.as"), dir.path(), "--seed", "1"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  ASSERT_EQ(test::countMapFiles(dir.path()), 400);
  auto cells = std::make_unique<WorldCells>(folder);
  std::map<TileCode, int> counts;
  int edgeLand = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 960; ++x) {
      TileCode code = cells->at(x, y);
      ++counts[code];
      bool edge = x == 0 || y == 0 || x == 959 || y == 479;
      if (edge && !isWater(code)) ++edgeLand;
    }
  }
  for (const auto& [code, count] : counts) {
    EXPECT_NE(kTileSet.find(static_cast<char>(code)), std::string::npos)
        << "code " << int(code) << " is not a tile of the set";
  }
  EXPECT_EQ(edgeLand, 0) << "the world ends in sea";
  int water = counts[kDeepWater] + counts[kShallowWater];
  EXPECT_GT(water, 960 * 480 * 3 / 10);
  EXPECT_LT(water, 960 * 480 * 8 / 10);
  for (TileCode code : {kSand, kGrass, kForest, kHills, kMountains, kRoad, kTown, kHouse}) {
    EXPECT_GT(counts[code], 0) << "no " << static_cast<char>(code);
  }
  EXPECT_GT(counts[kRoad], 100);
  EXPECT_GT(counts[kForest], 960 * 480 / 50);

  // Winter snows on the north and leaves the rest and the teleports.
  Map north(wildernessMapPath(folder, 10, 1)->c_str());
  north.addTeleport(4, 4, "INN");
  ASSERT_TRUE(north.save(wildernessMapPath(folder, 10, 1)->c_str()));
  std::vector<std::string> southBefore;
  for (int column = 0; column < kWorldSide; ++column)
    southBefore.push_back(test::readFileBytes(*wildernessMapPath(folder, column, 5)));
  result = test::runVekgen({"transform", sample("winter.as"), dir.path(), "--seed", "3"});
  ASSERT_EQ(result.status, 0) << result.err;
  cells = std::make_unique<WorldCells>(folder);
  std::map<TileCode, int> northCounts;
  for (int y = 0; y < 84; ++y)
    for (int x = 0; x < 960; ++x) ++northCounts[cells->at(x, y)];
  EXPECT_GT(northCounts['*'], 0);
  for (TileCode code : {kGrass, kForest, kHills, kFarmland, kShallowWater}) {
    EXPECT_EQ(northCounts[code], 0) << static_cast<char>(code);
  }
  EXPECT_EQ(Map(wildernessMapPath(folder, 10, 1)->c_str()).teleportCount(), 1);
  for (int column = 0; column < kWorldSide; ++column)
    EXPECT_EQ(test::readFileBytes(*wildernessMapPath(folder, column, 5)), southBefore[column]);
}

TEST(SampleScripts, TheIslandScriptMakesAnIslandInTheSea) {
  TempDir dir;
  std::string path = dir.file("ISLAND.MAP");
  test::VekgenResult result =
      test::runVekgen({"current", sample("island.as"), path, "--seed", "4"});
  ASSERT_EQ(result.status, 0) << result.err;
  Map island(path.c_str());
  std::map<TileCode, int> counts;
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) {
      TileCode code = island.getTile(x, y);
      ++counts[code];
      bool edge = x == 0 || y == 0 || x == Map::kColumns - 1 || y == Map::kRows - 1;
      EXPECT_TRUE(!edge || isWater(code)) << x << "," << y;
      EXPECT_NE(kTileSet.find(static_cast<char>(code)), std::string::npos);
    }
  }
  int land = Map::kColumns * Map::kRows - counts[kDeepWater] - counts[kShallowWater];
  EXPECT_GT(land, Map::kColumns * Map::kRows / 4);
  EXPECT_LT(land, Map::kColumns * Map::kRows * 3 / 4);
  for (TileCode code : {kSand, kGrass, kTown, kRoad}) EXPECT_GT(counts[code], 0);
}

TEST(SampleScripts, TheFarmsteadScriptBuildsWhereItIsAskedAndJoinsTheRoad) {
  TempDir dir;
  std::string path = dir.file("VEKAA.MAP");
  Map plain;
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) plain.setTile(x, y, x == 19 ? kRoad : kGrass);
  }
  plain.setTile(0, 0, kDeepWater);
  ASSERT_TRUE(plain.save(path.c_str()));

  test::VekgenResult result =
      test::runVekgen({"feature", sample("farmstead.as"), path, "--pos", "10,12"});
  ASSERT_EQ(result.status, 0) << result.err;
  Map farm(path.c_str());
  EXPECT_EQ(farm.getTile(9, 11), kHouse);
  EXPECT_EQ(farm.getTile(10, 11), kWell);
  for (int x = 11; x <= 18; ++x) EXPECT_EQ(farm.getTile(x, 11), kRoad) << x;
  EXPECT_EQ(farm.getTile(9, 10), kFarmland);
  EXPECT_EQ(farm.getTile(9, 12), kFarmland);
  EXPECT_EQ(farm.getTile(40, 2), kGrass);  // far away: untouched
  EXPECT_EQ(farm.getTile(0, 0), kDeepWater);

  // On water it only explains, and the map keeps its cells.
  std::string before = test::readFileBytes(path);
  test::VekgenResult refused =
      test::runVekgen({"feature", sample("farmstead.as"), path, "--pos", "1,1"});
  EXPECT_EQ(refused.status, 0);
  EXPECT_TRUE(contains(refused.out, "No farmstead at 1,1"));
  EXPECT_EQ(test::readFileBytes(path), before);
}

}  // namespace
}  // namespace vek
