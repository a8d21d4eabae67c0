// TRANSFORM WORLD MAP over the real host and engine: the grid starts as the
// world on disk, and only the maps whose cells changed are written, each
// with its kind and teleports.

#include <gtest/gtest.h>

#include "map/map_naming.h"
#include "script/world_transform.h"
#include "script_test_support.h"
#include "test_maps.h"

namespace vek {
namespace {

using Records = std::vector<std::string>;

class WorldTransform : public ::testing::Test {
 protected:
  WorldTransform() {
    saveMap("VEKAA.MAP", MapKind::Local, 'g', "CAVE");
    saveMap("VEKBA.MAP", MapKind::Wilderness, 'T', "TOWN");
    test::writeFileBytes(path("VEKCA.MAP"), "WILDERNESS!\r\n short\r\n");  // unreadable
  }
  std::string path(const std::string& name) const { return harness.dir.file(name); }
  void saveMap(const std::string& name, MapKind kind, TileCode code, const char* teleport) {
    Map map = test::filledMap(code, kind);
    map.addTeleport(5, 6, teleport);
    ASSERT_TRUE(map.save(path(name).c_str()));
  }
  WorldTransformResult transform(const std::string& script) {
    harness.addScript(script);
    return transformWorldMap(path("VEKAA.MAP").c_str(), *harness.host, harness.messages);
  }

  test::ScriptHarness harness;
};

TEST_F(WorldTransform, WritesOnlyChangedMapsKeepingKindAndTeleports) {
  std::string untouched = test::readFileBytes(path("VEKBA.MAP"));
  std::string unreadable = test::readFileBytes(path("VEKCA.MAP"));
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
  EXPECT_EQ(test::readFileBytes(path("VEKBA.MAP")), untouched);
  EXPECT_EQ(test::readFileBytes(path("VEKCA.MAP")), unreadable);
}

TEST_F(WorldTransform, ARunThatDoesNotCountOrChangesNothingWritesNothing) {
  std::string before = test::readFileBytes(path("VEKAA.MAP"));
  for (const char* script : {"void main() { settile(1, 1, 1) }",  // does not build
                             "void main() { settile(1, 1, gettile(1, 1)); }"}) {
    SCOPED_TRACE(script);
    WorldTransformResult result = transform(script);
    EXPECT_TRUE(result.writtenPaths.empty());
    EXPECT_EQ(result.cellsChanged, 0);
  }
  EXPECT_EQ(test::readFileBytes(path("VEKAA.MAP")), before);
}

}  // namespace
}  // namespace vek
