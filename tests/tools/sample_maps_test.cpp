// The sample world's local map and interiors: placed at a town, joined to
// the world and to each other by teleports that lead to files that exist.
#include <gtest/gtest.h>

#include "map/map.h"
#include "map/map_naming.h"
#include "sample_maps.h"
#include "temp_dir.h"

namespace vek {
namespace {

void writeMap(const std::string& path, TileCode code, int townColumn = -1, int townRow = -1) {
  Map map;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column) map.setTile(column, row, code);
  if (townColumn >= 0) map.setTile(townColumn, townRow, 'o');
  ASSERT_TRUE(map.save(path.c_str()));
}

Map loaded(const std::string& path) {
  Map map;
  EXPECT_TRUE(map.load(path.c_str())) << path;
  return map;
}

// Every teleport of the map leads to a map file of the folder.
void expectTeleportsLeadToFiles(const std::string& folder, const std::string& path) {
  Map map = loaded(path);
  EXPECT_GT(map.teleportCount(), 0) << path;
  for (const Teleport& teleport : map.teleports()) {
    Map destination;
    EXPECT_TRUE(destination.load((folder + teleport.name + ".MAP").c_str()))
        << path << " leads to " << teleport.name;
  }
}

TEST(SampleMaps, JoinATownsLocalMapAnInnAndACaveToTheWorld) {
  test::TempDir dir;
  std::string folder = dir.path() + "/";
  writeMap(folder + "VEKAA.MAP", ',');
  writeMap(folder + "VEKBB.MAP", ',', 10, 10);
  SampleMaps added;
  std::string error;
  ASSERT_TRUE(addSampleMaps(folder, added, error)) << error;

  EXPECT_EQ(added.wildernessPath, folder + "VEKBB.MAP");
  EXPECT_EQ(added.townColumn, 10);
  EXPECT_EQ(added.townRow, 10);
  EXPECT_EQ(added.localPath, folder + "TBB3123.MAP");  // where the middle button leads
  EXPECT_EQ(added.innPath, folder + "INN.MAP");
  EXPECT_EQ(added.cavePath, folder + "CAVE.MAP");

  Map wilderness = loaded(added.wildernessPath);
  EXPECT_EQ(wilderness.kind, MapKind::Wilderness);
  EXPECT_EQ(wilderness.getTile(10, 10), 'o');
  EXPECT_EQ(wilderness.getTile(12, 10), 'O');
  ASSERT_EQ(wilderness.teleportCount(), 1);
  EXPECT_EQ(wilderness.teleports()[0].x, 13);
  EXPECT_EQ(wilderness.teleports()[0].y, 11);
  EXPECT_EQ(loaded(added.localPath).kind, MapKind::Local);
  EXPECT_EQ(loaded(added.innPath).kind, MapKind::Interior);
  EXPECT_EQ(loaded(added.cavePath).kind, MapKind::Interior);
  for (const std::string& path :
       {added.wildernessPath, added.localPath, added.innPath, added.cavePath}) {
    expectTeleportsLeadToFiles(folder, path);
  }
  // Each teleport stands on a door, stairs, cave or the road's end, not on
  // rock or wall.
  for (const std::string& path : {added.localPath, added.innPath, added.cavePath}) {
    Map map = loaded(path);
    for (const Teleport& teleport : map.teleports()) {
      TileCode code = map.getTile(teleport.x - 1, teleport.y - 1);
      EXPECT_TRUE(code == '+' || code == '<' || code == '=') << path << " " << teleport.name;
    }
  }

  std::string again;
  EXPECT_FALSE(addSampleMaps(folder, added, again));
  EXPECT_NE(again.find("there already"), std::string::npos) << again;
  EXPECT_EQ(loaded(folder + "VEKBB.MAP").teleportCount(), 1);
}

TEST(SampleMaps, WithoutATownTheMiddleOfAMapBecomesOneAndNoWildernessIsRefused) {
  test::TempDir dir, empty;
  std::string folder = dir.path() + "/";
  writeMap(folder + "VEKCA.MAP", ',');
  SampleMaps added;
  std::string error;
  ASSERT_TRUE(addSampleMaps(folder, added, error)) << error;
  EXPECT_EQ(added.wildernessPath, folder + "VEKCA.MAP");
  EXPECT_EQ(loaded(added.wildernessPath).getTile(24, 12), 'o');
  EXPECT_EQ(added.localPath, folder + "TCA4525.MAP");
  EXPECT_FALSE(addSampleMaps(empty.path() + "/", added, error));
  EXPECT_NE(error.find("no wilderness map"), std::string::npos) << error;
}

}  // namespace
}  // namespace vek
