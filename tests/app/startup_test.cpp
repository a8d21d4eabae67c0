// Start-up and the end of the loop: the colour depth search, the state the
// editor starts in, the first map dialog, the tile pictures, and Escape or
// the close button ending the loop after a complete pass.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/close_button.h"
#include "app/graphics_startup.h"
#include "app_test_support.h"

namespace vek {
namespace {

using test::HeadlessEditor;

TEST(ScreenModeSearch, TakesTheFirstOf16And24And32ThatWorks) {
  struct Case {
    std::vector<int> working;
    int chosen;
    std::vector<int> tried;
  };
  const Case cases[] = {
      {{16, 24, 32}, 16, {16}},
      {{24, 32}, 24, {16, 24}},
      {{32}, 32, {16, 24, 32}},
      {{8, 15}, 0, {16, 24, 32}},  // never below 16 nor above 32
      {{}, 0, {16, 24, 32}},
  };
  for (const Case& c : cases) {
    test::RecordingMessageBox messages;
    std::vector<int> tried;
    int chosen = chooseScreenMode(
        [&](int depth) {
          tried.push_back(depth);
          return std::find(c.working.begin(), c.working.end(), depth) != c.working.end();
        },
        messages);
    EXPECT_EQ(chosen, c.chosen);
    EXPECT_EQ(tried, c.tried);
    if (chosen == 0) {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0],
                "Your video card does not support a screen size of 1000x700 with 16, 24, or 32 "
                "bits per pixel.  This program will now exit.");
    } else {
      EXPECT_TRUE(messages.shown.empty());
    }
  }
}

TEST(EditorStartUp, BeginsInEditWithTile250AndEmptyNames) {
  test::RecordingMessageBox messages;
  test::ScriptedFileDialog files;
  test::FixedPointer pointer;
  EditorApp app(Platform{files, messages, pointer});
  EXPECT_STREQ(app.currentPath, "");
  EXPECT_STREQ(app.teleportDestination, "");
  EXPECT_STREQ(app.dialogPath, "");
  EXPECT_EQ(app.wildernessCode.text(), "");
  EXPECT_EQ(app.mode, EditorMode::Edit);
  EXPECT_EQ(app.selectedTile, 250);
  EXPECT_FALSE(app.mouseLatch);
  EXPECT_EQ(app.currentMap.kind, MapKind::Wilderness);
  EXPECT_EQ(app.backBuffer, nullptr);
  // The context hands the commands the editor's own state.
  EXPECT_EQ(app.commandContext.currentPath, app.currentPath);
  EXPECT_EQ(&app.commandContext.mode, &app.mode);
  EXPECT_EQ(&app.commandContext.currentMap, &app.currentMap);
  EXPECT_EQ(&app.commandContext.world, &app.world);
  EXPECT_EQ(&app.commandContext.backBuffer, &app.backBuffer);
}

TEST(EditorStartUp, AsksForTheFirstMapWithTheMapDialogAndLoadsIt) {
  HeadlessEditor editor;
  std::string path = editor.dir.file("VEKCD.MAP");
  test::writeFilledMap(path, 'T', MapKind::Interior);
  EditorApp& app = editor.start({{'T', {0, 255, 0}}}, path);

  ASSERT_EQ(editor.files.calls.size(), 1u);
  const auto& call = editor.files.calls[0];
  EXPECT_EQ(call.title, std::nullopt);  // the platform's default title
  EXPECT_EQ(call.extension, "MAP");
  EXPECT_EQ(call.initialPath, "");
  EXPECT_EQ(call.capacity, 1024u);
  EXPECT_EQ(app.currentPath, path);
  EXPECT_EQ(app.currentMap.kind, MapKind::Interior);
  EXPECT_EQ(app.currentMap.getTile(10, 10), 'T');
  EXPECT_EQ(app.currentMap.getTile(10, 23), 0);  // not stored for an interior
  ASSERT_NE(app.backBuffer, nullptr);
  EXPECT_EQ(app.backBuffer->w, 1000);
  EXPECT_EQ(app.backBuffer->h, 700);
  EXPECT_NE(app.tileBitmaps.picture('T'), nullptr);
  EXPECT_EQ(app.tileBitmaps.picture('U'), nullptr);
}

TEST(EditorStartUp, CancellingTheFirstDialogGivesAnEmptyWildernessMapAndAnEmptyPath) {
  HeadlessEditor editor;
  EditorApp& app = editor.start({}, std::nullopt);  // and no data.dat at all
  EXPECT_STREQ(app.currentPath, "");
  EXPECT_EQ(app.currentMap.kind, MapKind::Wilderness);
  EXPECT_EQ(app.currentMap.teleportCount(), 0);
  for (int row = 0; row < 24; ++row)
    for (int column = 0; column < 48; ++column) ASSERT_EQ(app.currentMap.getTile(column, row), 0);
  EXPECT_EQ(app.tileBitmaps.pictureCount(), 0);

  // Without pictures every tile is its character, and painting still works.
  app.selectedTile = 'Q';
  editor.click(test::cellX(4) + 3, test::cellY(2) + 3);
  editor.pass(995, 695);
  EXPECT_EQ(test::textDifferences(editor.frame(), test::cellX(4) + 5, test::cellY(2) + 8, "Q", test::white()), "");
  EXPECT_EQ(test::textDifferences(editor.frame(), 900, 35, "Q", test::white()), "");
}

TEST(MainLoop, EscapeEndsTheLoopAfterThePassThatSawItIsComplete) {
  HeadlessEditor editor;
  EditorApp& app = editor.start();
  app.selectedTile = 'E';
  EXPECT_TRUE(editor.pass(100, 100, 1));
  key[KEY_ESC] = 1;
  app.selectedTile = 'F';
  EXPECT_FALSE(editor.pass(200, 100, 1));
  // That pass still painted, drew its frame and put it on the screen.
  EXPECT_EQ(app.currentMap.getTile(200 / 18, 100 / 20), 'F');
  EXPECT_EQ(test::textDifferences(screen, 900, 35, "F", test::white()), "");
  key[KEY_ESC] = 0;
  EXPECT_TRUE(editor.pass(995, 695));
}

TEST(MainLoop, TheCloseButtonEndsTheLoopAsEscapeDoes) {
  HeadlessEditor editor;
  editor.start();
  EXPECT_TRUE(editor.pass(995, 695));
  requestClose();
  EXPECT_FALSE(editor.pass(995, 695));
  EXPECT_FALSE(editor.pass(995, 695));
}

TEST(MainLoop, ShutDownEmptiesTheMapAndReleasesTheArchiveAndBitmaps) {
  HeadlessEditor editor;
  std::string path = editor.dir.file("VEKAA.MAP");
  test::writeFilledMap(path, 'T');
  EditorApp& app = editor.start({{'T', {0, 255, 0}}}, path);
  app.currentMap.addTeleport(1, 1, "X");
  editor.pass(995, 695);
  app.shutDown();
  EXPECT_EQ(app.currentMap.teleportCount(), 0);
  EXPECT_EQ(app.archive, nullptr);
  EXPECT_EQ(app.backBuffer, nullptr);
  EXPECT_EQ(app.formManager, nullptr);
  EXPECT_EQ(app.tileBitmaps.pictureCount(), 0);
}

}  // namespace
}  // namespace vek
