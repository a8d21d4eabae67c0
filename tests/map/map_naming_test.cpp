// Names of a world's map files and the rules that derive their parts.
#include <gtest/gtest.h>

#include <string>

#include "map/map_naming.h"

namespace vek {
namespace {

TEST(MapNaming, WorkedExamples) {
  EXPECT_EQ(wildernessMapPath("D/", 1, 0).value(), "D/VEKBA.MAP");
  EXPECT_EQ(wildernessShortName(1, 0), "VEKBA");
  EXPECT_EQ(wildernessShortName(19, 19), "VEKTT");

  WildernessCode code;
  ASSERT_TRUE(code.update("D/VEKBA.MAP"));
  EXPECT_EQ(localMapPath("D/", code, 0, 0).value(), "D/TBA2113.MAP");
  ASSERT_TRUE(code.update("D/VEKCD.MAP"));
  EXPECT_EQ(localMapPath("D/", code, 47, 23).value(), "D/TCD6836.MAP");

  EXPECT_EQ(teleportDestinationPath("D/", "CAVE1").value(), "D/CAVE1.MAP");
  ASSERT_TRUE(code.update("/home/me/MYLAND.MAP"));
  EXPECT_EQ(code.text(), "ND");
}

TEST(MapNaming, FolderPart) {
  struct Case {
    std::string path, folder;
  } cases[] = {
      {"/maps/VEKCD.MAP", "/maps/"}, {"VEKAB.MAP", ""}, {"", ""},
      {"/", "/"},                    {"a/b/c", "a/b/"}, {"dir/", "dir/"},
  };
  for (const Case& c : cases) EXPECT_EQ(folderPart(c.path), c.folder) << c.path;
  EXPECT_EQ(wildernessMapPath("", 0, 0).value(), "VEKAA.MAP");
}

TEST(MapNaming, WildernessCodeTakesTheFirstUsableDotOfTheFileName) {
  struct Case {
    std::string path;
    bool found;
    std::string code;
  } cases[] = {
      {"/maps/VEKCD.MAP", true, "CD"},
      {"/maps/VEKCD.OLD.MAP", true, "CD"},   // the first dot of the file name
      {"/maps.d/NOEXT", false, "??"},        // dots before the last '/' do not count
      {"NOEXT", false, "??"},
      {"", false, "??"},
      {".MAP", false, "??"},                 // dot at position 0
      {"A.MAP", false, "??"},                // dot at position 1
      {"A.B.MAP", true, ".B"},               // dot at 1 passed over; the next one is used
      {"AB.MAP", true, "AB"},                // dot at position 2
      {"/x/.MAP", true, "x/"},               // dot right after the '/'
  };
  for (const Case& c : cases) {
    WildernessCode code;
    code.update("??.MAP");
    EXPECT_EQ(code.update(c.path), c.found) << c.path;
    EXPECT_EQ(code.text(), c.code) << c.path;
  }
  WildernessCode fresh;
  EXPECT_EQ(fresh.text(), "");
  EXPECT_EQ(localMapPath("", fresh, 0, 0).value(), "T2113.MAP");
}

TEST(MapNaming, NamesThatWouldNotFitAPathBufferAreRefused) {
  std::string folder(1023 - 9, 'f');  // 1,014 + "VEKAA.MAP" = 1,023 characters
  EXPECT_TRUE(wildernessMapPath(folder, 0, 0).has_value());
  EXPECT_FALSE(wildernessMapPath(folder + "/", 0, 0).has_value());
  EXPECT_FALSE(teleportDestinationPath(folder, "LONGER").has_value());
  WildernessCode code;
  code.update("VEKAA.MAP");
  EXPECT_FALSE(localMapPath(folder, code, 0, 0).has_value());
  EXPECT_TRUE(localMapPath(std::string(1023 - 13, 'f'), code, 0, 0).has_value());
}

}  // namespace
}  // namespace vek
