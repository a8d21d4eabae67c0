// Start-up, and the main form's commands pressed in a pass with scripted
// dialogs and real scripts, and the question before unsaved changes go.
#include <algorithm>
#include <functional>

#include "app/editor_options.h"
#include "app/graphics_startup.h"
#include "app_test_support.h"

namespace vek {
namespace {

constexpr int kLoadX = 880, kSaveX = 930, kTopY = 10;
constexpr int kFeatureY = 545, kCurrentMapY = 565, kWorldY = 585, kSaveAsY = 630, kLeftX = 700;

// The first screen mode of 16, 24 and 32 that works. Without a map on the command line the first
// dialog asks for one; cancelled, the editor starts with an empty wilderness map and an empty
// path. A usage error starts nothing.
TEST(StartUp, TheScreenModeAndTheCommandLineOrTheFirstDialogsMap) {
  // The depths that work, those tried, the one chosen (never below 16 nor
  // above 32); without one a message says so.
  for (auto [working, tried, chosen] :
       {std::tuple{std::vector<int>{16, 24, 32}, std::vector<int>{16}, 16},
        {{24, 32}, {16, 24}, 24}, {{32}, {16, 24, 32}, 32}, {{8, 15}, {16, 24, 32}, 0}}) {
    test::RecordingMessageBox messages;
    std::vector<int> seen;
    auto works = [&, &working = working](int depth) {
      seen.push_back(depth);
      return std::find(working.begin(), working.end(), depth) != working.end();
    };
    EXPECT_EQ(chooseScreenMode(works, messages), chosen);
    EXPECT_EQ(seen, tried);
    EXPECT_EQ(messages.shown.size(), chosen ? 0u : 1u);
  }
  test::TempDir maps;
  const std::string path = maps.file("VEKCD.MAP");
  test::writeFilledMap(path, 'T', MapKind::Interior);
  for (auto [arguments, status, answer, opened, dialogs] :
       {std::tuple{std::vector<std::string>{"--data", "tiles.dat", path}, -1, "", path, 0u},
        {{}, -1, path.c_str(), path, 1u}, {{}, -1, "", "", 1u},
        {{"A.MAP", "B.MAP"}, 64, "", "", 0u}, {{"--data"}, 64, "", "", 0u}}) {
    std::vector<char*> argv{const_cast<char*>("vekedit")};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    EditorOptions options;
    ASSERT_EQ(parseEditorOptions(static_cast<int>(argv.size()), argv.data(), options), status);
    if (status != -1) continue;
    EXPECT_EQ(options.dataFile, arguments.size() == 3 ? "tiles.dat" : "");
    test::HeadlessEditor editor;
    editor.start({{'T', {0, 255, 0}}}, *answer ? std::optional<std::string>(answer) : std::nullopt,
                 options.mapFile);
    ASSERT_EQ(editor.files.calls.size(), dialogs);
    for (const auto& c : editor.files.calls)  // no title: the platform's default
      EXPECT_EQ(c.title.value_or("") + c.extension + std::to_string(c.capacity), "MAP1024");
    EXPECT_EQ(editor.document().path(), opened);
    EXPECT_EQ(test::countNonZeroCells(editor.map()), opened.empty() ? 0 : 48 * 23);  // interior
    EXPECT_EQ(editor.map().kind, opened.empty() ? MapKind::Wilderness : MapKind::Interior);
  }
}

class Commands : public ::testing::Test {
 protected:
  Commands() {
    test::writeFilledMap(editor.file("VEKBA.MAP"), ',');
    editor.start({}, editor.file("VEKBA.MAP"));
  }
  std::string writeScript(const std::string& name, const std::string& text) {
    EXPECT_TRUE(test::writeFileBytes(editor.file(name), text));
    return editor.file(name);
  }
  void changeCell(TileCode code = 'u') {
    editor.document().apply([code](Map& map) { map.setTile(5, 5, code); });
  }
  TileCode cellOnDisk(const std::string& name) {
    Map onDisk;
    EXPECT_TRUE(onDisk.load(editor.file(name).c_str()));
    return onDisk.getTile(5, 5);
  }

  test::HeadlessEditor editor;
};

TEST_F(Commands, SaveAsAsksBeforeReplacingAndSaveWritesOnlyInEditOrSaysWhyNot) {
  // SAVE AS: the file, the answer to replacing it ("": nothing asked), whether written.
  for (auto [name, replace, written] :
       {std::tuple{"NEW.MAP", "", true}, {"VEKBA.MAP", "Cancel", false},
        {"VEKBA.MAP", "Replace", true}}) {
    SCOPED_TRACE(name + std::string(replace));
    changeCell();
    editor.questions.asked.clear();
    if (*replace) editor.questions.answer(replace);
    editor.files.answer(editor.file(name));
    editor.click(kLeftX, kSaveAsY);
    EXPECT_EQ(editor.questions.asked.size(), *replace ? 1u : 0u);
    EXPECT_EQ(cellOnDisk(name), written ? 'u' : ',');
    EXPECT_EQ(editor.document().path(), editor.file(written ? name : "NEW.MAP"));
    EXPECT_NE(editor.document().isModified(), written);
    changeCell('v');
  }
  std::string path = editor.file("SAVED.MAP");
  editor.document().open(path.c_str());
  editor.document().beginStep().setTile(0, 0, 'x');
  editor.document().beginStep().addTeleport(2, 3, "CAVE");
  for (EditorMode mode : {EditorMode::PlaceTeleport, EditorMode::WorldView, EditorMode::Edit}) {
    editor.state().mode = mode;
    editor.click(kSaveX, kTopY);
    EXPECT_EQ(editor.state().mode, mode);
    EXPECT_EQ(test::readFileBytes(path).empty(), mode != EditorMode::Edit);
  }
  std::string expected = "WILDERNESS!>22,15:CAVE!\r\n x" + std::string(47, '\0') + "\r\n";
  for (int row = 1; row < 24; ++row) expected += " " + std::string(48, '\0') + "\r\n";
  EXPECT_EQ(test::readFileBytes(path), expected);
  editor.document().open(editor.file("missing/VEKAA.MAP"));
  editor.click(kSaveX, kTopY);
  editor.start();  // the first dialog cancelled: no file
  editor.click(kSaveX, kTopY);
  EXPECT_EQ(editor.messages.shown,
            (std::vector<std::string>{
                "The map could not be saved to " + editor.file("missing/VEKAA.MAP"),
                "The map was not saved: it has no file yet. Open one with LOAD or from the world "
                "map view."}));
}

// PLACE FEATURE first shows this pass's frame and places where the user clicked. GENERATE WORLD
// MAP asks about unsaved changes, warns, writes the folder's 400 maps and opens the current map
// again; cancelled anywhere, it opens no dialog and changes nothing.
TEST_F(Commands, TheScriptsRunOverTheCurrentMapOrWriteTheWholeWorld) {
  editor.state().mode = EditorMode::WorldView;
  editor.files.answer(writeScript("fill.as", "void main() { for (int y = 1; y <= 24; y++)\n"
                                             "for (int x = 1; x <= 47; x++) settile(x, y, 65); }"));
  editor.click(kLeftX, kCurrentMapY);
  EXPECT_EQ(editor.files.calls.back().title, std::optional<std::string>("Select AngelScript file"));
  EXPECT_EQ(editor.files.calls.back().extension, "as");
  EXPECT_EQ(editor.state().mode, EditorMode::WorldView);
  EXPECT_EQ(test::mapRows(editor.map())[23], std::string(47, 'A') + "0");
  EXPECT_EQ(test::countNonZeroCells(editor.map()), 47 * 24);

  editor.state().mode = EditorMode::Edit;
  editor.files.answer(
      writeScript("house.as", "void main() { int x, y; getpos(x, y); settile(x, y, 104); }"));
  editor.pointer.pixelX = 197;  // cell (10, 5)
  editor.pointer.pixelY = 119;
  clear_to_color(screen, makecol(12, 34, 56));
  bool screenShowedTheFrame = false;
  editor.files.whileOpen = [&] {
    screenShowedTheFrame = getpixel(screen, 500, 690) == 0 &&
                           getpixel(screen, 649, 539) == test::white();  // the button's frame
  };
  editor.click(kLeftX, kFeatureY);
  EXPECT_TRUE(screenShowedTheFrame);
  EXPECT_EQ(editor.pointer.calls, 1);
  EXPECT_EQ(test::mapRows(editor.map())[5].substr(9, 3), "AhA");
  editor.files.whileOpen = nullptr;
  editor.files.cancelNext();  // a cancelled dialog runs nothing
  editor.click(kLeftX, kCurrentMapY);
  EXPECT_EQ(test::countNonZeroCells(editor.map()), 47 * 24);
  EXPECT_EQ(editor.document().history().undoCount(), 2u);

  std::string script = writeScript("world.as", "void main() { settile(49, 1, 66); }\n");
  changeCell();
  editor.files.cancelNext();  // for the one case that gets as far as the dialog
  const std::size_t dialogs = editor.files.calls.size();
  for (auto answers : std::vector<std::vector<std::string>>{{"Cancel"}, {"Discard", "Cancel"},
                                                            {"Discard", "OK"}}) {
    for (const std::string& answer : answers) editor.questions.answer(answer);
    editor.click(kLeftX, kWorldY);
    EXPECT_EQ(editor.files.calls.size(), dialogs + (answers.back() == "OK")) << answers.size();
    EXPECT_TRUE(test::readFileBytes(editor.file("VEKAA.MAP")).empty());
    EXPECT_EQ(editor.map().getTile(5, 5), 'u');
    EXPECT_EQ(editor.document().history().undoCount(), 3u);
  }
  std::size_t questionsWhenAsked = 0;
  editor.files.whileOpen = [&] { questionsWhenAsked = editor.questions.asked.size(); };
  editor.questions.asked.clear();
  editor.questions.answer("Discard");
  editor.questions.answer("OK");
  editor.files.answer(script);
  editor.click(kLeftX, kWorldY);
  ASSERT_EQ(questionsWhenAsked, 2u);
  EXPECT_EQ(editor.questions.asked[1].text,
            "Warning!  This will replace all wilderness maps in the directory of the currently "
            "loaded map.");
  EXPECT_EQ(editor.questions.asked[1].answers, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_TRUE(test::readFileBytes(editor.file("VEKTT.MAP")).size() > 0);
  // The current map is VEKBA, whose cell (0, 0) is the world's (48, 0).
  EXPECT_EQ(editor.map().getTile(0, 0), 66);
  EXPECT_EQ(editor.map().getTile(5, 5), 0);
  EXPECT_EQ(editor.state().mode, EditorMode::Edit);
}

// LOAD cancelled keeps the map, answered it replaces it, and either way ends in Edit. Unsaved
// changes are asked about before anything would drop them.
TEST_F(Commands, LoadAndUnsavedChangesAskedAboutBeforeTheyWouldBeLost) {
  test::writeFilledMap(editor.file("CAVE.MAP"), '#', MapKind::Interior);
  for (auto [mode, answer] : {std::pair{EditorMode::WorldView, (const char*)nullptr},
                              {EditorMode::PlaceTeleport, nullptr}, {EditorMode::Edit, nullptr},
                              {EditorMode::WorldView, "CAVE.MAP"}}) {
    editor.state().mode = mode;
    editor.document().beginStep().setTile(3, 3, 'u');  // unsaved: not reloaded
    answer ? editor.files.answer(editor.file(answer)) : editor.files.cancelNext();
    editor.pass(kLoadX, kTopY, 1);
    editor.pass(kLoadX, kTopY, 1);  // held: LOAD runs once
    editor.pass(kLoadX, kTopY, 0);
    EXPECT_EQ(editor.state().mode, EditorMode::Edit);
    EXPECT_EQ(editor.document().path(), editor.file(answer ? answer : "VEKBA.MAP"));
    EXPECT_EQ(editor.map().getTile(3, 3), answer ? '#' : 'u');
  }
  ASSERT_EQ(editor.files.calls.size(), 5u);  // the first map's dialog and four LOADs
  const auto& call = editor.files.calls.back();
  EXPECT_EQ(call.title.value_or("untitled") + " " + call.extension + " " + call.initialPath,
            "untitled MAP " + editor.file("VEKBA.MAP"));
  EXPECT_EQ(editor.map().kind, MapKind::Interior);
  test::writeFilledMap(editor.file("OTHER.MAP"), 'o');
  auto escape = [&] { return editor.pressKey(KEY_ESC); };
  auto closeButton = [&] {
    requestClose();
    return editor.pass(990, 690);
  };
  auto load = [&] {
    editor.files.answer(editor.file("OTHER.MAP"));
    editor.click(kLoadX, kTopY);
    return true;
  };
  using Trigger = std::function<bool()>;  // gives whether the editor goes on
  // The answer, the trigger, whether the editor goes on, cell (5, 5) shown
  // after it, whether the change was saved.
  for (auto [answer, trigger, goesOn, shownAfter, saved] :
       {std::tuple{"Cancel", Trigger(escape), true, 'u', false},
        {"Discard", escape, false, 'u', false}, {"Save", escape, false, 'u', true},
        {"Cancel", closeButton, true, 'u', false}, {"Cancel", load, true, 'u', false},
        {"Discard", closeButton, false, 'u', false}, {"Discard", load, true, 'o', false},
        {"Save", load, true, 'o', true}}) {
    SCOPED_TRACE(answer);
    editor.document().open(editor.file("VEKBA.MAP"));
    changeCell();
    editor.questions.asked.clear();
    editor.questions.answer(answer);
    EXPECT_EQ(trigger(), goesOn);
    ASSERT_EQ(editor.questions.asked.size(), 1u);
    EXPECT_EQ(editor.questions.asked[0].text, "Save changes to VEKBA.MAP?");
    EXPECT_EQ(editor.questions.asked[0].answers,
              (std::vector<std::string>{"Save", "Discard", "Cancel"}));
    EXPECT_EQ(editor.map().getTile(5, 5), shownAfter);
    EXPECT_EQ(cellOnDisk("VEKBA.MAP"), saved ? 'u' : ',');
    if (saved) test::writeFilledMap(editor.file("VEKBA.MAP"), ',');
  }
  editor.document().open(editor.file("VEKBA.MAP"));  // without changes nothing is asked, and
  editor.questions.asked.clear();  // the pass that ends the loop still acts and draws
  editor.state().selectedTile = 'F';
  EXPECT_FALSE(editor.pressKey(KEY_ESC, 0, ('G' % 32) * 18 + 2, 520 + ('G' / 32) * 20 + 2, 1));
  EXPECT_EQ(editor.state().selectedTile, 'G');
  EXPECT_TRUE(test::textDifferences(screen, 900, 35, "F", test::white()).empty());
  EXPECT_TRUE(editor.questions.asked.empty());
  editor.start();  // a map without a file cannot be saved
  changeCell();
  editor.questions.answer("Cancel");
  EXPECT_TRUE(escape());
  EXPECT_EQ(editor.questions.asked.at(0).text, "Save changes to the new map (it has no file yet)?");
  EXPECT_EQ(editor.questions.asked[0].answers, (std::vector<std::string>{"Discard", "Cancel"}));
}

}  // namespace
}  // namespace vek
