// The main form and its commands, pressed through the form manager in a
// pass as a user presses them, with scripted dialogs and real scripts.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "app/main_form.h"
#include "app_test_support.h"
#include "map/map_naming.h"
#include "script/generation_commands.h"

namespace vek {
namespace {

using test::HeadlessEditor;

// Points on the buttons.
constexpr int kLoadX = 880, kLoadY = 10;
constexpr int kSaveX = 930, kSaveY = 10;
constexpr int kWorldMapX = 700, kWorldMapY = 525;
constexpr int kFeatureX = 700, kFeatureY = 545;
constexpr int kCurrentMapX = 700, kCurrentMapY = 565;
constexpr int kWorldX = 700, kWorldY = 585;

class Commands : public ::testing::Test {
 protected:
  Commands() {
    folder = editor.dir.path() + "/";
    test::writeFilledMap(folder + "VEKBA.MAP", ',');
    app = &editor.start({}, folder + "VEKBA.MAP");
  }

  std::string writeScript(const std::string& name, const std::string& text) {
    std::string path = folder + name;
    EXPECT_TRUE(test::writeFileBytes(path, text));
    return path;
  }

  HeadlessEditor editor;
  EditorApp* app;
  std::string folder;
};

TEST_F(Commands, SaveWritesTheMapOnlyInEdit) {
  std::string path = folder + "SAVED.MAP";
  app->context().document.open(path.c_str());
  app->context().document.beginStep().setTile(0, 0, 'x');
  app->context().document.beginStep().addTeleport(2, 3, "CAVE");
  for (EditorMode mode : {EditorMode::PlaceTeleport, EditorMode::WorldView}) {
    app->context().state.mode = mode;
    editor.click(kSaveX, kSaveY);
    EXPECT_EQ(app->state().mode, mode);
    EXPECT_EQ(test::readFileBytes(path), "") << "nothing written";
  }
  app->context().state.mode = EditorMode::Edit;
  editor.click(kSaveX, kSaveY);
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
  std::string expected = "WILDERNESS!>22,15:CAVE!\r\n";
  for (int row = 0; row < 24; ++row) {
    std::string line(48, '\0');  // a map without its file starts empty
    if (row == 0) line[0] = 'x';
    expected += " " + line + "\r\n";
  }
  EXPECT_EQ(test::readFileBytes(path), expected);
}

TEST_F(Commands, ASaveThatFailsSaysSo) {
  app->context().document.open(folder + "missing/VEKAA.MAP");
  editor.click(kSaveX, kSaveY);
  ASSERT_EQ(editor.messages.shown.size(), 1u);
  EXPECT_EQ(editor.messages.shown[0], "The map could not be saved to " + folder + "missing/VEKAA.MAP");
  app->context().document.open(folder + "VEKBA.MAP");
  editor.messages.shown.clear();
  editor.click(kSaveX, kSaveY);
  EXPECT_TRUE(editor.messages.shown.empty());
}

TEST(CommandsWithoutFile, SaveSaysThereIsNoFileYet) {
  HeadlessEditor editor;
  editor.start();  // the first dialog cancelled: no file
  editor.click(kSaveX, kSaveY);
  ASSERT_EQ(editor.messages.shown.size(), 1u);
  EXPECT_EQ(editor.messages.shown[0],
            "The map was not saved: it has no file yet. Open one with LOAD or from the world map "
            "view.");
}

TEST_F(Commands, LoadCancelledReturnsToEditWithTheSameMap) {
  for (EditorMode mode : {EditorMode::WorldView, EditorMode::PlaceTeleport, EditorMode::Edit}) {
    app->context().state.mode = mode;
    app->context().document.beginStep().setTile(3, 3, 'u');  // unsaved: not reloaded
    editor.files.cancelNext();
    editor.click(kLoadX, kLoadY);
    EXPECT_EQ(app->state().mode, EditorMode::Edit);
    EXPECT_EQ(app->document().path(), folder + "VEKBA.MAP");
    EXPECT_EQ(app->document().map().getTile(3, 3), 'u');
  }
  const auto& call = editor.files.calls.back();
  EXPECT_EQ(call.title, std::nullopt);
  EXPECT_EQ(call.extension, "MAP");
  EXPECT_EQ(call.initialPath, folder + "VEKBA.MAP");
}

TEST_F(Commands, LoadReplacesPathAndMapAndEndsAnyModeInEdit) {
  test::writeFilledMap(folder + "CAVE.MAP", '#', MapKind::Interior);
  app->context().state.mode = EditorMode::WorldView;
  editor.files.answer(folder + "CAVE.MAP");
  editor.click(kLoadX, kLoadY);
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
  EXPECT_EQ(app->document().path(), folder + "CAVE.MAP");
  EXPECT_EQ(app->document().map().kind, MapKind::Interior);
  EXPECT_EQ(app->document().map().getTile(0, 0), '#');
}

TEST_F(Commands, AButtonRunsOncePerPressAndTheLatchKeepsTheMapUntouched) {
  editor.files.cancelNext();
  editor.pass(kLoadX, kLoadY, 1);
  editor.pass(kLoadX, kLoadY, 1);
  editor.pass(kLoadX, kLoadY, 1);
  EXPECT_EQ(editor.files.calls.size(), 2u);  // the first map's dialog and one LOAD
  editor.pass(kLoadX, kLoadY, 0);
  editor.pass(kLoadX, kLoadY, 1);
  EXPECT_EQ(editor.files.calls.size(), 3u);
}

TEST_F(Commands, ViewWorldMapFillsTheGridFromTheCurrentFolder) {
  editor.click(kWorldMapX, kWorldMapY);
  EXPECT_EQ(app->state().mode, EditorMode::WorldView);
  EXPECT_EQ(app->context().world.cell(48, 0), ',');
  EXPECT_EQ(app->context().world.cell(0, 0), 0);
}

TEST_F(Commands, GenerateCurrentMapRunsTheChosenScriptOverTheMap) {
  std::string script = writeScript("fill.as",
                                   "void main() {\n"
                                   "  for (int y = 1; y <= 24; y++)\n"
                                   "    for (int x = 1; x <= 47; x++) settile(x, y, 65);\n"
                                   "}\n");
  app->context().state.mode = EditorMode::WorldView;
  editor.files.answer(script);
  editor.click(kCurrentMapX, kCurrentMapY);
  const auto& call = editor.files.calls.back();
  EXPECT_EQ(call.title, std::optional<std::string>("Select AngelScript file"));
  EXPECT_EQ(call.extension, "as");
  EXPECT_EQ(app->state().mode, EditorMode::WorldView);
  EXPECT_EQ(app->document().map().getTile(0, 0), 'A');
  EXPECT_EQ(app->document().map().getTile(46, 23), 'A');
  EXPECT_EQ(app->document().map().getTile(47, 0), 0);  // not set by the script

  editor.files.cancelNext();
  editor.click(kCurrentMapX, kCurrentMapY);
  EXPECT_EQ(app->document().map().getTile(0, 0), 'A');
}

TEST_F(Commands, PlaceFeatureShowsThisPassesFrameThenPlacesWhereTheUserClicked) {
  std::string script = writeScript("house.as",
                                   "void main() {\n"
                                   "  int x, y;\n"
                                   "  getpos(x, y);\n"
                                   "  settile(x, y, 104);\n"
                                   "}\n");
  editor.files.answer(script);
  editor.pointer.pixelX = 197;  // cell (10, 5)
  editor.pointer.pixelY = 119;
  int stale = makecol(12, 34, 56);
  clear_to_color(screen, stale);
  bool screenShowedTheFrame = false;
  editor.files.whileOpen = [&] {
    screenShowedTheFrame = getpixel(screen, 500, 690) == 0 &&
                           getpixel(screen, 649, 539) == test::white();  // the button's frame
  };
  editor.click(kFeatureX, kFeatureY);
  EXPECT_TRUE(screenShowedTheFrame);
  EXPECT_EQ(editor.pointer.calls, 1);
  EXPECT_EQ(app->document().map().getTile(10, 5), 104);
  int changed = 0;
  for (int row = 0; row < 24; ++row)
    for (int column = 0; column < 48; ++column) changed += app->document().map().getTile(column, row) != ',';
  EXPECT_EQ(changed, 1);
}

TEST_F(Commands, GenerateWorldMapWarnsWritesTheFolderAndReloadsTheCurrentMap) {
  std::string script = writeScript("world.as", "void main() { settile(49, 1, 66); }\n");
  app->context().document.beginStep().setTile(5, 5, 'u');  // unsaved edit: lost by the reload
  std::size_t warningsWhenAsked = 0;
  editor.files.whileOpen = [&] { warningsWhenAsked = editor.messages.shown.size(); };
  editor.files.answer(script);
  editor.click(kWorldX, kWorldY);

  ASSERT_EQ(editor.messages.shown.size(), 1u);
  EXPECT_EQ(editor.messages.shown[0],
            "Warning!  This will replace all wilderness maps in the directory of the currently "
            "loaded map.");
  EXPECT_EQ(warningsWhenAsked, 1u);
  for (int row = 0; row < kWorldSide; ++row)
    for (int column = 0; column < kWorldSide; ++column)
      ASSERT_FALSE(test::readFileBytes(*wildernessMapPath(folder, column, row)).empty());
  // The current map is VEKBA, whose cell (0, 0) is the script's (49, 1).
  EXPECT_EQ(app->document().map().getTile(0, 0), 66);
  EXPECT_EQ(app->document().map().getTile(5, 5), 0);
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
}

TEST_F(Commands, GenerateWorldMapCancelledWritesNothingAndKeepsTheMapAndItsHistory) {
  app->context().document.apply([](Map& map) { map.setTile(5, 5, 'u'); });
  editor.files.cancelNext();
  editor.click(kWorldX, kWorldY);
  EXPECT_TRUE(test::readFileBytes(folder + "VEKAA.MAP").empty());
  EXPECT_EQ(app->document().map().getTile(5, 5), 'u');
  EXPECT_TRUE(app->document().isModified());
  EXPECT_EQ(app->document().history().undoCount(), 1u);
}

}  // namespace
}  // namespace vek
