// Names that stay in the world folder, end to end: the teleport dialog
// refuses, with a message, a file that a teleport cannot name; a stored
// teleport that leads out of the folder shows a message and opens nothing;
// a local map takes its letters from the wilderness map's file name alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor_session.h"
#include "map/map.h"

namespace vek::e2e {
namespace {

constexpr int kLeft = 1, kMiddle = 2;
constexpr int kSaveX = 940, kSaveY = 10;
constexpr int kPlusX = 984, kPlusY = 94;
constexpr TileCode kGrass = ',';
constexpr TileCode kForest = 'T';

void writeGrassMap(const std::string& path, const char* teleportName = nullptr) {
  Map map;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column) map.setTile(column, row, kGrass);
  if (teleportName) map.addTeleport(4, 1, teleportName);  // on cell (3, 0)
  ASSERT_TRUE(map.save(path.c_str())) << path;
}

TEST(Names, TheTeleportDialogRefusesANameWithTheFormatsDelimiters) {
  EditorSession session;
  writeGrassMap(session.file("VEKAA.MAP"));
  writeGrassMap(session.file("B!C>1,1:D.MAP"));
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(session.pressUntilScreen(
      paletteLeft(kForest) + 17, paletteTop(kForest) + 19, kLeft,
      [](const Image& s) { return showsTile(s, 900, 35, kForest); }));

  // Stored as is, the name would read back as two teleports.
  ASSERT_TRUE(session.clickToOpenDialog(kPlusX, kPlusY));
  ASSERT_TRUE(session.answerDialog("B!C>1,1:D.MAP"));
  ASSERT_TRUE(session.answerMessage());
  // Back in Edit: a click paints instead of placing a teleport.
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(10), cellPressY(5), kLeft, [](const Image& s) {
    return cellShowsTile(s, 10, 5, kForest);
  }));
  Map saved;
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] {
    return saved.load(session.file("VEKAA.MAP").c_str()) && saved.getTile(10, 5) == kForest;
  }));
  EXPECT_EQ(saved.teleportCount(), 0);
}

TEST(Names, AStoredTeleportOutOfTheFolderIsNotFollowed) {
  EditorSession session;
  writeGrassMap(session.file("VEKAA.MAP"), "../evil");
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(session.pressUntil(cellPressX(3), cellPressY(0), kMiddle,
                                 [&] { return session.x.hasWindow("xmessage"); }));
  ASSERT_TRUE(session.answerMessage());
  // Still the same map (the teleport's own cell carries its marker), and
  // SAVE writes it where it was.
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellShowsTile(s, 2, 0, kGrass); }));
  std::filesystem::remove(session.file("VEKAA.MAP"));
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] {
    return std::filesystem::exists(session.file("VEKAA.MAP"));
  }));
  EXPECT_FALSE(std::filesystem::exists(session.file("../evil.MAP")));
}

TEST(Names, ALocalMapTakesItsLettersFromTheFileNameAlone) {
  EditorSession session;
  writeGrassMap(session.file("Q.MAP"));
  ASSERT_TRUE(session.startOn("Q.MAP"));
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(3), cellPressY(0), kMiddle, [](const Image& s) {
    return cellShowsTile(s, 0, 0, 0);
  }));
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] {
    return std::filesystem::exists(session.file("TQ2413.MAP"));
  }));
}

}  // namespace
}  // namespace vek::e2e
