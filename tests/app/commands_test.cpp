// The main form's commands, pressed in a pass, with scripted dialogs and
// real scripts.
#include <allegro.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <set>

#include "app/close_button.h"
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
  // Writes cell (48, 0) of the world: cell (0, 0) of VEKBA.
  std::string worldScript() { return writeScript("world.as", "void main() { settile(49, 1, 66); }\n"); }

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

TEST_F(Commands, LoadCancelledKeepsTheMapAndAnsweredReplacesIt) {
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

  // Answered, it replaces path and map and ends any mode in Edit.
  test::writeFilledMap(folder + "CAVE.MAP", '#', MapKind::Interior);
  app->context().document.open(folder + "VEKBA.MAP");
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

TEST_F(Commands, GenerateCurrentMapRunsTheChosenScriptOverTheMap) {
  std::string script = writeScript(
      "fill.as", "void main() { for (int y = 1; y <= 24; y++) for (int x = 1; x <= 47; x++) settile(x, y, 65); }");
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
  std::string script = writeScript("house.as", "void main() { int x, y; getpos(x, y); settile(x, y, 104); }");
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
  std::string script = worldScript();
  app->context().document.beginStep().setTile(5, 5, 'u');  // unsaved edit: discarded
  std::size_t questionsWhenAsked = 0;
  editor.files.whileOpen = [&] { questionsWhenAsked = editor.questions.asked.size(); };
  editor.files.answer(script);
  editor.questions.answer("Discard");
  editor.questions.answer("OK");
  editor.click(kWorldX, kWorldY);

  EXPECT_TRUE(editor.messages.shown.empty());
  ASSERT_EQ(editor.questions.asked.size(), 2u);
  EXPECT_EQ(editor.questions.asked[1].text,
            "Warning!  This will replace all wilderness maps in the directory of the currently "
            "loaded map.");
  EXPECT_EQ(editor.questions.asked[1].answers, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(questionsWhenAsked, 2u);
  for (int row = 0; row < kWorldSide; ++row)
    for (int column = 0; column < kWorldSide; ++column)
      ASSERT_FALSE(test::readFileBytes(*wildernessMapPath(folder, column, row)).empty());
  // The current map is VEKBA, whose cell (0, 0) is the script's (49, 1).
  EXPECT_EQ(app->document().map().getTile(0, 0), 66);
  EXPECT_EQ(app->document().map().getTile(5, 5), 0);
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
}

TEST_F(Commands, GenerateWorldMapCancelledWritesNothingAndKeepsTheMapAndItsHistory) {
  std::string script = worldScript();
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    bool dialogAnswered;
  };
  const Case cases[] = {
      {"the unsaved changes kept", {"Cancel"}, false},
      {"the warning cancelled", {"Discard", "Cancel"}, false},
      {"the script dialog cancelled", {"Discard", "OK"}, false},
  };
  app->context().document.apply([](Map& map) { map.setTile(5, 5, 'u'); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& answer : c.answers) editor.questions.answer(answer);
    editor.files.cancelNext();
    editor.click(kWorldX, kWorldY);
    EXPECT_TRUE(test::readFileBytes(folder + "VEKAA.MAP").empty());
    EXPECT_EQ(app->document().map().getTile(5, 5), 'u');
    EXPECT_TRUE(app->document().isModified());
    EXPECT_EQ(app->document().history().undoCount(), 1u);
  }
}

TEST_F(Commands, GenerateWorldMapSaysWhichFilesWereNotWritten) {
  std::string script = worldScript();
  // A folder in a map file's place cannot be replaced, not even by root.
  for (const char* name : {"VEKAA.MAP", "VEKCA.MAP"}) ASSERT_EQ(::mkdir((folder + name).c_str(), 0755), 0);
  editor.questions.answer("OK");
  editor.files.answer(script);
  editor.click(kWorldX, kWorldY);
  ASSERT_EQ(editor.messages.shown.size(), 1u);
  EXPECT_EQ(editor.messages.shown[0],
            "No map was changed. Cannot write " + folder + "VEKAA.MAP: Is a directory");
  EXPECT_NE(app->document().map().getTile(0, 0), 66) << "nothing written, nothing opened again";
}

// Unsaved changes are asked about before anything would drop them; Cancel
// leaves everything as it was, Discard goes on, Save writes first.
TEST_F(Commands, UnsavedChangesAreAskedAboutBeforeTheyWouldBeLost) {
  std::string other = folder + "OTHER.MAP";
  test::writeFilledMap(other, 'o');
  struct Case {
    const char* name;
    const char* answer;
    std::function<bool()> trigger;  // gives whether the editor goes on
    bool goesOn;
    TileCode shownAfter;  // cell (5, 5)
    bool saved;
  };
  auto escape = [&] { return editor.pressKey(KEY_ESC); };
  auto closeButton = [&] {
    requestClose();
    return editor.pass(990, 690);
  };
  auto load = [&] {
    editor.files.answer(other);
    editor.click(kLoadX, kLoadY);
    return true;
  };
  const Case cases[] = {
      {"Escape, Cancel", "Cancel", escape, true, 'u', false},
      {"Escape, Discard", "Discard", escape, false, 'u', false},
      {"Escape, Save", "Save", escape, false, 'u', true},
      {"close button, Cancel", "Cancel", closeButton, true, 'u', false},
      {"LOAD, Cancel", "Cancel", load, true, 'u', false},
      {"LOAD, Discard", "Discard", load, true, 'o', false},
      {"LOAD, Save", "Save", load, true, 'o', true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    app->context().document.open(folder + "VEKBA.MAP");
    app->context().document.apply([](Map& map) { map.setTile(5, 5, 'u'); });
    editor.questions.asked.clear();
    editor.questions.answer(c.answer);
    EXPECT_EQ(c.trigger(), c.goesOn);
    ASSERT_EQ(editor.questions.asked.size(), 1u);
    EXPECT_EQ(editor.questions.asked[0].text, "Save changes to VEKBA.MAP?");
    EXPECT_EQ(editor.questions.asked[0].answers,
              (std::vector<std::string>{"Save", "Discard", "Cancel"}));
    EXPECT_EQ(app->document().map().getTile(5, 5), c.shownAfter);
    Map onDisk;
    ASSERT_TRUE(onDisk.load((folder + "VEKBA.MAP").c_str()));
    EXPECT_EQ(onDisk.getTile(5, 5), c.saved ? 'u' : ',');
    if (c.saved) test::writeFilledMap(folder + "VEKBA.MAP", ',');
  }
  // Without changes nothing is asked.
  app->context().document.open(folder + "VEKBA.MAP");
  editor.questions.asked.clear();
  EXPECT_FALSE(escape());
  EXPECT_TRUE(editor.questions.asked.empty());
}

TEST(CommandsWithoutFile, SaveSaysThereIsNoFileYetAndEscapeOffersDiscardAndCancel) {
  HeadlessEditor editor;
  editor.start();  // the first dialog cancelled: no file
  editor.click(kSaveX, kSaveY);
  EXPECT_EQ(editor.messages.shown,
            std::vector<std::string>{"The map was not saved: it has no file yet. Open one with "
                                     "LOAD or from the world map view."});
  editor.app->context().document.apply([](Map& map) { map.setTile(5, 5, 'u'); });
  editor.questions.answer("Cancel");
  EXPECT_TRUE(editor.pressKey(KEY_ESC));
  ASSERT_EQ(editor.questions.asked.size(), 1u);
  EXPECT_EQ(editor.questions.asked[0].text,
            "Save changes to the new map (it has no file yet)?");
  EXPECT_EQ(editor.questions.asked[0].answers, (std::vector<std::string>{"Discard", "Cancel"}));
}

TEST_F(Commands, SaveAsWritesTheNewFileAfterAskingToReplaceAnExistingOne) {
  app->context().document.apply([](Map& map) { map.setTile(5, 5, 'u'); });
  struct Case {
    const char* name;
    std::string path;
    const char* replaceAnswer;  // null: nothing asked
    bool written;
  };
  const Case cases[] = {
      {"a new file", folder + "NEW.MAP", nullptr, true},
      {"an existing file, Cancel", folder + "VEKBA.MAP", "Cancel", false},
      {"an existing file, Replace", folder + "VEKBA.MAP", "Replace", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.questions.asked.clear();
    if (c.replaceAnswer) editor.questions.answer(c.replaceAnswer);
    editor.files.answer(c.path);
    editor.click(700, 630);
    EXPECT_EQ(editor.questions.asked.size(), c.replaceAnswer ? 1u : 0u);
    Map onDisk;
    ASSERT_TRUE(onDisk.load(c.path.c_str()));
    EXPECT_EQ(onDisk.getTile(5, 5), c.written ? 'u' : ',');
    if (c.written) {
      EXPECT_EQ(app->document().path(), c.path);
      EXPECT_FALSE(app->document().isModified());
      app->context().document.apply([](Map& map) { map.setTile(5, 5, 'u' + 1); });
      app->context().document.apply([](Map& map) { map.setTile(5, 5, 'u'); });
    }
  }
}

}  // namespace
}  // namespace vek
