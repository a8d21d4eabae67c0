// The editor's mouse and keys, pass by pass: painting, picking, undo,
// teleports, the teleport list, the tools, and when the main loop may rest.
#include <functional>

#include "app/idle_watch.h"
#include "app/teleport_list.h"
#include "app_test_support.h"

namespace vek {
namespace {

using test::inCellX, test::inCellY;

constexpr int kLeft = 1, kRight = 2, kMiddle = 4;
constexpr EditorMode kEdit = EditorMode::Edit, kPlace = EditorMode::PlaceTeleport,
                     kWorld = EditorMode::WorldView;
constexpr MapKind kWild = MapKind::Wilderness, kLocal = MapKind::Local,
                  kInterior = MapKind::Interior;

// A step of the mouse or the keyboard (a key comes with the mouse as it was).
enum class Act { Key, Press, ShiftPress, Drag, Release, OpenOther, WorldView };
struct Step {
  Act act;
  int column = 0, row = 0;  // the cell, or for Key the scancode and shifts
};
Step key(int scancode, int shifts = 0) { return {Act::Key, scancode, shifts}; }
Step ctrl(int scancode) { return key(scancode, KB_CTRL_FLAG); }
Step press(int column, int row) { return {Act::Press, column, row}; }
Step drag(int column, int row) { return {Act::Drag, column, row}; }
const Step kOffMap = drag(50, 20), kRelease{Act::Release}, kOpenOther{Act::OpenOther};

class Editing : public ::testing::Test {
 protected:
  // The editor on VEKAA.MAP (and VEKAB.MAP) holding picture, '.' around it.
  void startOn(const std::vector<std::string>& picture) {
    for (const char* name : {"VEKAA.MAP", "VEKAB.MAP"})
      EXPECT_TRUE(test::picturedMap('.', picture).save(editor.file(name).c_str()));
    editor.start({}, editor.file("VEKAA.MAP"));
    editor.state().selectedTile = 'x';
    x = 995, y = 695, buttons = 0;
  }
  Map& change() { return editor.document().beginStep(); }
  std::string row(int index) { return test::mapRows(editor.map())[index]; }

  void run(const Step& step) {
    switch (step.act) {
      case Act::Key: editor.pressKey(step.column, step.row, x, y, buttons); return;
      case Act::ShiftPress: key_shifts = KB_SHIFT_FLAG; [[fallthrough]];
      case Act::Press:
      case Act::Drag: x = inCellX(step.column), y = inCellY(step.row), buttons = kLeft; break;
      case Act::Release: x = 995, y = 695, buttons = 0; break;
      case Act::OpenOther:  // LOAD, the changes discarded
        editor.files.answer(editor.file("VEKAB.MAP"));
        editor.click(890, 10);
        return;
      case Act::WorldView: editor.click(700, 525); return;
    }
    editor.pass(x, y, buttons);
    key_shifts = 0;
  }

  test::HeadlessEditor editor;
  int x = 995, y = 695, buttons = 0;
};

// A stroke from press to release is one step; "*" marks changes since the last save.
TEST_F(Editing, UndoAndRedoTakeAStrokeAsOneStepByButtonAndKey) {
  startOn({});
  for (int column = 3; column < 6; ++column) editor.pass(inCellX(column), inCellY(2), kLeft);
  using Action = std::function<void()>;
  for (auto [name, action, painted, modified] :
       {std::tuple{"the stroke", Action([&] { editor.pass(995, 695); }), true, true},
        {"UNDO", [&] { editor.click(690, 610); }, false, false},
        {"REDO", [&] { editor.click(780, 610); }, true, true},
        {"Ctrl+Z", [&] { editor.pressKey(KEY_Z, KB_CTRL_FLAG); }, false, false},
        {"Ctrl+Y", [&] { editor.pressKey(KEY_Y, KB_CTRL_FLAG); }, true, true},
        {"Ctrl+Z again", [&] { editor.pressKey(KEY_Z, KB_CTRL_FLAG); }, false, false},
        {"Ctrl+Shift+Z", [&] { editor.pressKey(KEY_Z, KB_CTRL_FLAG | KB_SHIFT_FLAG); }, true, true},
        {"SAVE", [&] { editor.click(930, 10); }, true, false}}) {
    SCOPED_TRACE(name);
    action();
    EXPECT_EQ(row(2).substr(2, 5), painted ? ".xxx." : ".....");
    EXPECT_EQ(editor.document().isModified(), modified);
    editor.pass(990, 690);
    EXPECT_TRUE(editor.shows(5, 485, editor.document().path() + (modified ? "*" : "")));
  }
}

// A left press on the palette (its left edge too) selects and ends any mode, held on over the map
// it paints nothing. The right button picks on every pass, in Edit and while placing a teleport.
TEST_F(Editing, PressesActWhereTheyBeganTheRightButtonPicksAndTheMiddleOneOpens) {
  editor.start();
  for (auto [y, code] : {std::pair{520, 0}, {539, 0}, {540, 32}, {565, 64}, {679, 224}}) {
    editor.state().mode = kWorld;
    editor.click(0, y);
    EXPECT_EQ(editor.state().selectedTile, code) << "y " << y;
    EXPECT_EQ(editor.state().mode, kEdit);
  }
  editor.click(575, 679);
  editor.click(576, 600);  // right of the palette: nothing
  editor.click(100, 680);  // below it
  EXPECT_EQ(editor.state().selectedTile, 255);
  editor.pass(13 * 18 + 2, 562, kLeft);  // 'M' on the palette, held on over the map
  editor.pass(inCellX(5), inCellY(5), kLeft);
  editor.pass(inCellX(6), inCellY(5), kMiddle);  // the middle button joins: still held
  editor.pass(inCellX(6), inCellY(5), 0);
  editor.pass(inCellX(6), inCellY(5), kLeft);
  EXPECT_EQ(row(5).substr(5, 2), "0M");

  change().setTile(7, 3, 'a');
  change().setTile(8, 3, 'b');
  change().setTile(0, 3, 'z');
  // With the left button too it picks first, then paints; x = 0 is not the map.
  for (auto [mode, x, buttons, selected] :
       {std::tuple{kEdit, inCellX(7), kRight, 'a'}, {kEdit, inCellX(8), kRight, 'b'},
        {kEdit, inCellX(9), kRight | kLeft, '\0'}, {kPlace, inCellX(7), kRight, 'a'},
        {kPlace, 0, kRight, 'a'}, {kWorld, inCellX(8), kRight, 'a'}}) {
    editor.state().mode = mode;
    editor.pass(x, inCellY(3), buttons);
    EXPECT_EQ(editor.state().selectedTile, selected) << x;
    EXPECT_EQ(editor.state().mode, mode);
  }
  // The middle button follows a teleport or enters the cell's local map.
  editor.pass(995, 695);
  test::writeFilledMap(editor.file("FIRST.MAP"), 'F', kInterior);
  test::writeFilledMap(editor.file("SECOND.MAP"), 'S');
  // From a map of 'h' with teleports FIRST, SECOND on cell (2, 3), a press opens a map: a
  // wilderness cell's local map, loaded or made empty (its letters may come from the file name
  // alone); not from a local map nor an interior, nor while placing, in the world view or
  // outside the map area.
  test::writeFilledMap(editor.file("TCD6736.MAP"), 'L', kLocal);
  for (auto [from, kind, mode, x, y, to, openedKind, code] :
       {std::tuple{"VEKAA.MAP", kWild, kEdit, inCellX(2), inCellY(3), "FIRST.MAP", kInterior, 'F'},
        {"VEKCD.MAP", kWild, kEdit, inCellX(47), inCellY(23), "TCD6836.MAP", kLocal, '\0'},
        {"VEKCD.MAP", kWild, kEdit, inCellX(46), inCellY(23), "TCD6736.MAP", kLocal, 'L'},
        {"NODOT", kWild, kEdit, inCellX(2), 10, "TOT2313.MAP", kLocal, '\0'},
        {"HOME.MAP", kLocal, kEdit, inCellX(3), inCellY(3), "HOME.MAP", kLocal, 'h'},
        {"HOME.MAP", kWild, kPlace, inCellX(3), inCellY(3), "HOME.MAP", kWild, 'h'},
        {"HOME.MAP", kWild, kWorld, inCellX(3), inCellY(3), "HOME.MAP", kWild, 'h'},
        {"HOME.MAP", kWild, kEdit, 0, inCellY(3), "HOME.MAP", kWild, 'h'},
        {"HOME.MAP", kInterior, kEdit, inCellX(3), inCellY(3), "HOME.MAP", kInterior, 'h'}}) {
    SCOPED_TRACE(from + std::string(" ") + std::to_string(x));
    test::writeFilledMap(editor.file(from), 'h', kind);
    editor.document().open(editor.file(from));
    change().addTeleport(3, 4, "FIRST");
    change().addTeleport(3, 4, "SECOND");
    editor.state().mode = mode;
    editor.pass(x, y, kMiddle);
    editor.pass(x, y, kMiddle);  // held on: once per press
    EXPECT_EQ(editor.document().path(), editor.file(to));
    EXPECT_EQ(editor.map().kind, openedKind);
    EXPECT_EQ(editor.map().getTile(0, 0), code);
    EXPECT_EQ(editor.state().mode, mode);
    editor.pass(x, y, 0);
  }
  // A teleport to a map not made yet starts it empty, of the same kind.
  change().addTeleport(10, 10, "CELLAR");
  editor.click(inCellX(9), inCellY(9), kMiddle);
  EXPECT_EQ(editor.document().path(), editor.file("CELLAR.MAP"));
  EXPECT_EQ(editor.map().kind, kInterior);
  EXPECT_EQ(test::countNonZeroCells(editor.map()) + editor.map().teleportCount(), 0);
  // A stored teleport out of the folder is not followed; a message says why.
  change().addTeleport(1, 1, "../evil");
  editor.click(inCellX(0), inCellY(0), kMiddle);
  EXPECT_EQ(editor.document().path(), editor.file("CELLAR.MAP"));
  EXPECT_EQ(editor.messages.shown,
            std::vector<std::string>{
                "This teleport leads out of the world folder (../evil); it is not followed."});
}

// "+" offers the path chosen last; the next map click places the teleport at the cell plus one.
// "-" removes the teleport of its row.
TEST_F(Editing, TheTeleportListPlacesRemovesScrollsAndMarksTeleports) {
  editor.start();
  // The answer (null: cancelled), the mode and destination after it, the
  // path offered. With no map, the folder is the working directory; "ABCD"
  // and ".MAP" are refused with a message; a cancel keeps the last name.
  for (auto [answer, mode, destination, offered] :
       {std::tuple{(const char*)nullptr, kEdit, "", ""}, {"CAVE1.MAP", kPlace, "CAVE1", ""},
        {"A.MAP", kPlace, "A", "CAVE1.MAP"}, {"ABCD", kEdit, "A", "A.MAP"},
        {".MAP", kEdit, "A", "ABCD"}, {nullptr, kEdit, "A", ".MAP"},
        {"TOWN.MAP", kPlace, "TOWN", ".MAP"}}) {
    SCOPED_TRACE(answer ? answer : "cancelled");
    answer ? editor.files.answer(answer) : editor.files.cancelNext();
    editor.state().mode = kWorld;
    editor.click(984, 94);
    const auto& call = editor.files.calls.back();
    EXPECT_EQ(call.title, std::optional<std::string>("Select destination map for teleport"));
    EXPECT_EQ(call.extension + " " + call.initialPath, std::string("MAP ") + offered);
    EXPECT_EQ(editor.state().mode, mode);
    EXPECT_STREQ(editor.state().teleportDestination, destination);
  }
  editor.state().selectedTile = 'Z';
  editor.pass(inCellX(4), inCellY(7), kLeft);
  EXPECT_EQ(editor.state().mode, kEdit);
  editor.pass(inCellX(5), inCellY(7), kLeft);  // held on: no painting
  editor.pass(inCellX(5), inCellY(7), 0);
  EXPECT_EQ(test::teleportsText(editor.map()), "5,8:TOWN");
  EXPECT_EQ(row(7).substr(4, 2), "00");
  // A press acts once where it began: the dialog confirmed with the mouse
  // over the first "-" removes nothing.
  editor.files.whileOpen = [] { test::putMouse(985, 105, 1); };
  editor.files.answer("CAVE1.MAP");
  editor.pass(984, 94, kLeft);
  EXPECT_EQ(editor.state().mode, kPlace);
  EXPECT_EQ(editor.map().teleportCount(), 1);
  editor.pass(984, 94);
  editor.files.whileOpen = nullptr;
  for (int i : {2, 3}) change().addTeleport(i, i, ("T" + std::to_string(i)).c_str());
  // Row 1, row 5 (no teleport there), the screen's last row, beside the column, row 0; any
  // ends in Edit.
  for (auto [mode, x, y, left] :
       {std::tuple{kWorld, 989, 119, "5,8:TOWN 3,3:T3"}, {kPlace, 980, 150, "5,8:TOWN 3,3:T3"},
        {kEdit, 980, 699, "5,8:TOWN 3,3:T3"}, {kEdit, 990, 100, "5,8:TOWN 3,3:T3"},
        {kEdit, 980, 100, "3,3:T3"}}) {
    editor.state().mode = mode;
    editor.click(x, y);
    EXPECT_EQ(editor.state().mode, kEdit);
    EXPECT_EQ(test::teleportsText(editor.map()), left) << x << "," << y;
  }
  // The wheel and the arrows scroll a long list no further than its ends. The "?" after a missing
  // destination is looked up when the teleports change, not on every draw.
  startOn({});
  editor.document().apply([](Map& map) {
    for (int i = 0; i < 80; ++i) map.addTeleport(1, 1, ("T" + std::to_string(i)).c_str());
  });
  const TeleportList& list = editor.state().teleportList;
  editor.pass(930, 695);
  mouse_z -= 10;  // the wheel towards the user: later rows, to the end
  editor.pass(930, 695);
  editor.click(984, 695);  // the last row's "-"
  EXPECT_EQ(test::teleportsText(editor.map()).substr(test::teleportsText(editor.map()).size() - 7), "1,1:T78");
  editor.click(995, 105);  // the up arrow
  EXPECT_EQ(list.firstShown(79, 700), 16);
  mouse_z += 10;
  editor.pass(930, 695);
  EXPECT_EQ(list.firstShown(79, 700), 0);
  editor.click(995, 695);  // the down arrow
  run(kOpenOther);
  EXPECT_EQ(list.firstShown(80, 700), 0);
  auto questionMarked = [&] {
    editor.pass(995, 695);
    return test::countPixels(editor.frame(), 920, 100, 60, 8, makecol(255, 255, 0)) > 0;
  };
  editor.document().apply([](Map& map) { map.addTeleport(1, 1, "CAVE"); });
  EXPECT_TRUE(questionMarked());
  ASSERT_TRUE(test::writeFileBytes(editor.file("CAVE.MAP"), "WILDERNESS!\r\n"));
  EXPECT_TRUE(questionMarked()) << "a pass looks at no file";
  editor.document().apply([](Map& map) { map.addTeleport(2, 1, "HALL"); });
  EXPECT_FALSE(questionMarked());
  const std::string four = "\xC3\x84\xC3\x96\xC3\x9C\xC3\x84";  // letters of two bytes
  EXPECT_EQ(fittedName((four + four).c_str(), kNameWidth), four + "...");
}

TEST_F(Editing, EachToolLeavesItsCellsAndOneUndoStepPerChangeAndEscapeEndsOneThing) {
  const Step select[] = {key(KEY_S), press(0, 0), drag(1, 1), kRelease};
  struct Case {
    const char* name;
    std::vector<std::string> before;
    std::vector<Step> steps;
    std::vector<std::string> after;
    std::size_t undoSteps;
    std::string status;  // after the steps
  } cases[] = {
      {"pencil: a jump between two readings leaves no gap", {},
       {press(0, 0), drag(6, 2), drag(6, 3), kRelease},
       {"xx.....", "..xxx..", ".....xx", "......x"}, 1, "PENCIL"},
      {"pencil: no line across the time off the map", {},
       {press(0, 0), kOffMap, drag(3, 2), kRelease}, {"x....", ".....", "...x."}, 1, "PENCIL"},
      {"pencil: Escape ends the stroke and keeps it", {},
       {press(0, 0), drag(2, 0), key(KEY_ESC), drag(2, 2), kRelease}, {"xxx"}, 1, "PENCIL"},
      {"fill: the clicked cell's 4-connected region", {"###", "..#", "#.#", "##.", "#.."},
       {key(KEY_F), press(0, 1), kRelease}, {"###", "xx#", "#x#", "##.", "#.."}, 1, "FILL"},
      {"shift-fill: the code everywhere", {"##.", "..#"},
       {key(KEY_F), {Act::ShiftPress, 0, 0}, kRelease}, {"xx.", "..x"}, 1, "FILL"},
      {"rectangle: corner to corner on release", {},
       {key(KEY_R), press(3, 2), drag(1, 1), drag(2, 1), kRelease}, {"", "..xx", "..xx"}, 1,
       "RECTANGLE"},
      {"rectangle: its size while dragging", {},
       {key(KEY_R), press(3, 2), drag(7, 2)}, {}, 0, "RECTANGLE 5 x 1"},
      {"rectangle: Escape fills nothing", {},
       {key(KEY_R), press(3, 2), drag(1, 1), key(KEY_ESC), kRelease}, {}, 0, "RECTANGLE"},
      {"select, copy, paste elsewhere", {"ab", "cd"},
       {ctrl(KEY_C), ctrl(KEY_V), press(3, 1), kRelease}, {"ab...", "cd.ab", "...cd"}, 1,
       "SELECT 2 x 2"},
      {"cut, then paste past the map's edge", {"ab", "cd"},
       {ctrl(KEY_X), ctrl(KEY_V), press(47, 1), kRelease},
       {"00", "00" + std::string(45, '.') + "a", std::string(47, '.') + "c"}, 2, "SELECT 2 x 2"},
      {"delete", {"ab", "cd"}, {key(KEY_DEL)}, {"00", "00"}, 1, "SELECT 2 x 2"},
      {"the world view drops the selection: Delete there clears nothing", {"ab"},
       {{Act::WorldView}, key(KEY_DEL)}, {"ab"}, 0, "SELECT"},
      {"the copy survives opening another map", {"ab"},
       {ctrl(KEY_C), kOpenOther, ctrl(KEY_V), press(5, 1), kRelease}, {"ab", ".....ab"}, 1,
       "SELECT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startOn(c.before);
    if (!c.before.empty()) {
      for (const Step& step : select) run(step);
    }
    for (const Step& step : c.steps) run(step);
    EXPECT_EQ(editor.state().tools.status(), c.status);
    editor.document().endStep();
    EXPECT_EQ(test::mapRows(editor.map()), test::mapRows(test::picturedMap('.', c.after)));
    EXPECT_EQ(editor.document().history().undoCount(), c.undoSteps);
    for (std::size_t i = 0; i < c.undoSteps; ++i) editor.pressKey(KEY_Z, KB_CTRL_FLAG);
    EXPECT_EQ(test::mapRows(editor.map()), test::mapRows(test::picturedMap('.', c.before)))
        << "undone";
  }
  // Escape ends the paste preview, the selection, then the placing; the help takes the next key
  // or click and nothing else.
  startOn({"ab"});
  for (const Step& step : {key(KEY_S), press(0, 0), drag(1, 0), kRelease, ctrl(KEY_C), ctrl(KEY_V)})
    run(step);
  editor.files.answer(editor.file("VEKAB.MAP"));
  editor.click(984, 94);  // "+", a destination chosen
  for (auto [status, mode] :
       {std::pair{"SELECT 2 x 1", kPlace}, {"SELECT", kPlace}, {"SELECT", kEdit}}) {
    editor.pressKey(KEY_ESC);
    EXPECT_EQ(editor.state().tools.status(), status);
    EXPECT_EQ(editor.state().mode, mode);
  }
  editor.pressKey(KEY_F1);
  editor.pressKey(KEY_R);  // closes the help and chooses no tool
  editor.pressKey(KEY_F1);
  editor.click(inCellX(4), inCellY(4));  // closes it and paints nothing
  EXPECT_FALSE(editor.state().help.shown());
  EXPECT_EQ(editor.state().tools.active(), Tool::Select);
  EXPECT_EQ(row(4)[4], '.');
}

// The main loop rests only while the input stays as it is and the last passes drew the frame
// the one before them drew (the pointer moves, then the frame changes).
TEST(IdleWatch, RestsOnlyOnceTheInputAndTheFrameHaveSettled) {
  test::useColorDepth(32);
  test::resetInput();
  test::BitmapPtr frame = test::blankBitmap(40, 30);
  IdleWatch idle;
  int index = 0;
  // The mouse, the colour the pass draws, whether it may rest.
  for (auto [mouseX, colour, rests] :
       {std::tuple{0, 0, false}, {0, 0, false}, {0, 0, false}, {0, 0, false}, {0, 0, true},
        {0, 0, true}, {5, 0, false}, {5, 0, false}, {5, 0, false}, {5, 0, false}, {5, 0, true},
        {7, 1, false}, {7, 2, false}, {7, 3, false}, {7, 4, false}, {7, 5, false},
        {7, 5, false}, {7, 5, false}, {7, 5, true}}) {
    test::putMouse(mouseX, 0, 0);
    EXPECT_EQ(idle.mayRest(), rests) << "step " << index++;
    if (rests) continue;
    clear_to_color(frame.get(), colour);
    idle.passDrawn(frame.get());
  }
}

}  // namespace
}  // namespace vek
