// The sample world's local map and interiors: placed at a town, joined to
// the world and to each other by teleports that lead to files that exist.
#include <gtest/gtest.h>

#include "map/map.h"
#include "sample_maps.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek {
namespace {

Map loaded(const std::string& path) {
  Map map;
  EXPECT_TRUE(map.load(path.c_str())) << path;
  return map;
}

TEST(SampleMaps, JoinATownsLocalMapAnInnAndACaveToTheWorld) {
  test::TempDir dir, empty;
  std::string folder = dir.path() + "/";
  test::writeFilledMap(folder + "VEKAA.MAP", ',');
  Map town = test::filledMap(',');
  town.setTile(10, 10, 'o');
  ASSERT_TRUE(town.save((folder + "VEKBB.MAP").c_str()));
  SampleMaps added;
  std::string error;
  ASSERT_TRUE(addSampleMaps(folder, added, error)) << error;

  EXPECT_EQ(added.wildernessPath, folder + "VEKBB.MAP");
  EXPECT_EQ(added.localPath, folder + "TBB3123.MAP");  // where the middle button leads
  EXPECT_EQ((std::pair{added.townColumn, added.townRow}), (std::pair{10, 10}));
  EXPECT_EQ(added.innPath + " " + added.cavePath, folder + "INN.MAP " + folder + "CAVE.MAP");
  Map wilderness = loaded(added.wildernessPath);
  EXPECT_EQ(wilderness.getTile(12, 10), 'O');
  ASSERT_EQ(wilderness.teleportCount(), 1);
  const Teleport& door = wilderness.teleports()[0];
  EXPECT_EQ((std::pair{door.x, door.y}), (std::pair{13, 11}));
  const std::pair<std::string, MapKind> maps[] = {{added.wildernessPath, MapKind::Wilderness},
                                                    {added.localPath, MapKind::Local},
                                                    {folder + "INN.MAP", MapKind::Interior},
                                                    {folder + "CAVE.MAP", MapKind::Interior}};
  for (const auto& [path, kind] : maps) {
    Map map = loaded(path);
    EXPECT_EQ(map.kind, kind) << path;
    EXPECT_GT(map.teleportCount(), 0) << path;
    for (const Teleport& teleport : map.teleports()) {
      Map destination;
      EXPECT_TRUE(destination.load((folder + teleport.name + ".MAP").c_str()))
          << path << " leads to " << teleport.name;
      // Each stands on a door, stairs, cave or the road's end, not on rock or wall.
      TileCode code = map.getTile(teleport.x - 1, teleport.y - 1);
      if (kind != MapKind::Wilderness) {
        EXPECT_TRUE(code == '+' || code == '<' || code == '=') << path;
      }
    }
  }

  EXPECT_FALSE(addSampleMaps(folder, added, error));
  EXPECT_NE(error.find("there already"), std::string::npos) << error;
  EXPECT_EQ(loaded(folder + "VEKBB.MAP").teleportCount(), 1);

  // Without a town the middle of a map becomes one; no wilderness is refused.
  test::TempDir plain;
  folder = plain.path() + "/";
  test::writeFilledMap(folder + "VEKCA.MAP", ',');
  ASSERT_TRUE(addSampleMaps(folder, added, error)) << error;
  EXPECT_EQ(loaded(added.wildernessPath).getTile(24, 12), 'o');
  EXPECT_EQ(added.localPath, folder + "TCA4525.MAP");
  EXPECT_FALSE(addSampleMaps(empty.path() + "/", added, error));
  EXPECT_NE(error.find("no wilderness map"), std::string::npos) << error;
}

}  // namespace
}  // namespace vek
