// Start-up (depth search, first dialog, tile pictures) and the loop's end.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/close_button.h"
#include "app/graphics_startup.h"
#include "app_test_support.h"
#include "headless_allegro.h"

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
  EXPECT_EQ(app.document().path(), path);
  EXPECT_EQ(app.document().map().kind, MapKind::Interior);
  EXPECT_EQ(app.document().map().getTile(10, 10), 'T');
  EXPECT_EQ(app.document().map().getTile(10, 23), 0);  // not stored for an interior
  ASSERT_NE(app.frame(), nullptr);
  EXPECT_EQ(app.frame()->w, 1000);
  EXPECT_EQ(app.frame()->h, 700);
  EXPECT_NE(app.tiles().picture('T'), nullptr);
  EXPECT_EQ(app.tiles().picture('U'), nullptr);
}

TEST(EditorStartUp, CancellingTheFirstDialogGivesAnEmptyWildernessMapAndAnEmptyPath) {
  HeadlessEditor editor;
  EditorApp& app = editor.start({}, std::nullopt);  // and no data.dat at all
  EXPECT_EQ(app.document().path(), "");
  EXPECT_EQ(app.document().map().kind, MapKind::Wilderness);
  EXPECT_EQ(app.document().map().teleportCount(), 0);
  for (int row = 0; row < 24; ++row)
    for (int column = 0; column < 48; ++column) ASSERT_EQ(app.document().map().getTile(column, row), 0);
  EXPECT_EQ(app.tiles().pictureCount(), 0);
}

// The pass that sees Escape or the close button still draws its frame, puts
// it on the screen and acts on the mouse; then the loop ends.
TEST(MainLoop, EscapeOrTheCloseButtonEndsTheLoopAfterThePassThatSawItIsComplete) {
  for (bool byEscape : {true, false}) {
    SCOPED_TRACE(byEscape ? "Escape" : "close button");
    HeadlessEditor editor;
    EditorApp& app = editor.start();
    app.context().state.selectedTile = 'E';
    EXPECT_TRUE(editor.pass(100, 100, 1));
    EXPECT_TRUE(editor.pass(100, 100, 0));
    if (byEscape) {
      simulate_keypress(KEY_ESC << 8 | 27);
    } else {
      requestClose();
    }
    app.context().state.selectedTile = 'F';
    EXPECT_FALSE(editor.pass(test::paletteX('G') + 2, test::paletteY('G') + 2, 1));
    EXPECT_EQ(app.state().selectedTile, 'G');
    EXPECT_EQ(test::textDifferences(screen, 900, 35, "F", test::white()), "");
  }
}

}  // namespace
}  // namespace vek
