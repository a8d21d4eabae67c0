// Names of a world's map files and the rules that derive their parts.
#include <gtest/gtest.h>

#include <string>

#include "map/map_naming.h"

namespace vek {
namespace {

TEST(MapNaming, WorkedExamplesAndFolderParts) {
  EXPECT_EQ(wildernessMapPath("D/", 1, 0).value(), "D/VEKBA.MAP");
  EXPECT_EQ(wildernessShortName(1, 0), "VEKBA");
  EXPECT_EQ(wildernessShortName(19, 19), "VEKTT");

  WildernessCode code;
  code.update("D/VEKBA.MAP");
  EXPECT_EQ(localMapPath("D/", code, 0, 0).value(), "D/TBA2113.MAP");
  code.update("D/VEKCD.MAP");
  EXPECT_EQ(localMapPath("D/", code, 47, 23).value(), "D/TCD6836.MAP");

  EXPECT_EQ(teleportDestinationPath("D/", "CAVE1").value(), "D/CAVE1.MAP");
  code.update("/home/me/MYLAND.MAP");
  EXPECT_EQ(code.text(), "ND");

  struct Case {
    std::string path, folder;
  } cases[] = {
      {"/maps/VEKCD.MAP", "/maps/"}, {"VEKAB.MAP", ""}, {"", ""},
      {"/", "/"},                    {"a/b/c", "a/b/"}, {"dir/", "dir/"},
  };
  for (const Case& c : cases) EXPECT_EQ(folderPart(c.path), c.folder) << c.path;
  EXPECT_EQ(wildernessMapPath("", 0, 0).value(), "VEKAA.MAP");
}

TEST(MapNaming, WildernessCodeComesFromTheFileNameAlone) {
  struct Case {
    std::string path, code;
  } cases[] = {
      {"/maps/VEKCD.MAP", "CD"},
      {"/maps/VEKCD.OLD.MAP", "CD"},  // the first dot of the file name
      {"/maps.d/NOEXT", "XT"},        // no dot: the name's last two
      {"", ""},
      {".MAP", ""},
      {"T/Q.MAP", "Q"},               // never the folder's '/'
      {"A.B.MAP", "A"},
      {"/x/.MAP", ""},
  };
  for (const Case& c : cases) {
    WildernessCode code;
    code.update("??.MAP");
    code.update(c.path);
    EXPECT_EQ(code.text(), c.code) << c.path;
  }
  WildernessCode q;
  q.update("T/Q.MAP");
  EXPECT_EQ(localMapPath("T/", q, 22, 15).value(), "T/TQ4328.MAP");
  WildernessCode fresh;
  EXPECT_EQ(fresh.text(), "");
  EXPECT_EQ(localMapPath("", fresh, 0, 0).value(), "T2113.MAP");
}

TEST(MapNaming, TeleportNamesStayInTheFolder) {
  struct Case {
    std::string chosen;  // relative to the test's working folder
    bool refused;
  } cases[] = {
      {"CAVE.MAP", false},     {"./CAVE.MAP", false},    {"B!C>1,1:D.MAP", true},
      {"A:B.MAP", true},       {"A\nB.MAP", true},       {".MAP", true},
      {"CAVE.map", true},      {"/CAVE.MAP", true},      {std::string(256, 'n') + ".MAP", true},
      {std::string(255, 'n') + ".MAP", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(teleportDestinationRefusal(c.chosen, "").has_value(), c.refused) << c.chosen;
  }
  for (const char* name : {"../evil", "a/b", "..", "x..y"}) {
    EXPECT_FALSE(isConfinedName(name)) << name;
    EXPECT_FALSE(teleportDestinationPath("D/", name).has_value()) << name;
  }
  EXPECT_TRUE(isConfinedName("CAVE.1"));
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
