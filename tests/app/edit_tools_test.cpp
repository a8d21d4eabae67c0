// The editing tools through the editor's input, pass by pass: cells left,
// undo steps, status line, Escape's order, the help, a long teleport list.
#include <allegro.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_support.h"

namespace vek {
namespace {

constexpr int kLeft = 1;
constexpr TileCode kPaint = 'x';
using test::inCellX;
using test::inCellY;

enum class Act { Key, Press, ShiftPress, Drag, DragOffMap, Release, OpenOther, WorldView };

struct Step {
  Act act;
  int column = 0, row = 0;  // the cell, or for Key the scancode and shifts
};

Step key(int scancode, int shifts = 0) { return {Act::Key, scancode, shifts}; }
Step ctrl(int scancode) { return key(scancode, KB_CTRL_FLAG); }
Step press(int column, int row) { return {Act::Press, column, row}; }
Step shiftPress(int column, int row) { return {Act::ShiftPress, column, row}; }
Step drag(int column, int row) { return {Act::Drag, column, row}; }
const Step kDragOffMap{Act::DragOffMap}, kRelease{Act::Release}, kOpenOther{Act::OpenOther},
    kWorldView{Act::WorldView};

class EditTools : public ::testing::Test {
 protected:
  // The editor on a map file holding picture ('.' around it).
  EditorApp& startOn(const std::vector<std::string>& picture) {
    for (const char* name : {"VEKAA.MAP", "VEKAB.MAP"})
      EXPECT_TRUE(test::picturedMap('.', picture).save(editor.dir.file(name).c_str()));
    EditorApp& app = editor.start({}, editor.dir.file("VEKAA.MAP"));
    app.context().state.selectedTile = kPaint;
    mouseX = 995, mouseY = 695, buttons = 0;
    return app;
  }

  // A key comes while the mouse stays as the last step left it.
  void run(const Step& step) {
    int x = inCellX(step.column), y = inCellY(step.row);
    switch (step.act) {
      case Act::Key: editor.pressKey(step.column, step.row, mouseX, mouseY, buttons); return;
      case Act::ShiftPress: key_shifts = KB_SHIFT_FLAG; [[fallthrough]];
      case Act::Press:
      case Act::Drag: mouseX = x, mouseY = y, buttons = kLeft; break;
      case Act::DragOffMap: mouseX = 900, mouseY = 400, buttons = kLeft; break;
      case Act::Release: mouseX = 995, mouseY = 695, buttons = 0; break;
      case Act::OpenOther:  // LOAD, the changes discarded
        editor.files.answer(editor.dir.file("VEKAB.MAP"));
        editor.click(890, 10);
        return;
      case Act::WorldView: editor.click(700, 525); return;
    }
    editor.pass(mouseX, mouseY, buttons);
    key_shifts = 0;
  }

  test::HeadlessEditor editor;
  int mouseX = 995, mouseY = 695, buttons = 0;
};

TEST_F(EditTools, EachToolLeavesItsCellsAndOneUndoStepPerChange) {
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
       {press(0, 0), kDragOffMap, drag(3, 2), kRelease}, {"x....", ".....", "...x."}, 1, "PENCIL"},
      {"pencil: Escape ends the stroke and keeps it", {},
       {press(0, 0), drag(2, 0), key(KEY_ESC), drag(2, 2), kRelease}, {"xxx", "...", "..."}, 1,
       "PENCIL"},
      {"fill: the clicked cell's 4-connected region", {"###", "..#", "#.#", "##.", "#.."},
       {key(KEY_F), press(0, 1), kRelease}, {"###", "xx#", "#x#", "##.", "#.."}, 1, "FILL"},
      {"shift-fill: the code everywhere", {"##.", "..#"},
       {key(KEY_F), shiftPress(0, 0), kRelease}, {"xx.", "..x"}, 1, "FILL"},
      {"rectangle: corner to corner on release", {},
       {key(KEY_R), press(3, 2), drag(1, 1), drag(2, 1), kRelease}, {"", "..xx", "..xx"}, 1,
       "RECTANGLE"},
      {"rectangle: its size while dragging", {},
       {key(KEY_R), press(3, 2), drag(7, 2)}, {}, 0, "RECTANGLE 5 x 1"},
      {"rectangle: Escape fills nothing", {},
       {key(KEY_R), press(3, 2), drag(1, 1), key(KEY_ESC), kRelease}, {}, 0, "RECTANGLE"},
      {"select, copy, paste elsewhere", {"ab", "cd"},
       {key(KEY_S), press(0, 0), drag(1, 1), kRelease, ctrl(KEY_C), ctrl(KEY_V), press(3, 1),
        kRelease},
       {"ab...", "cd.ab", "...cd"}, 1, "SELECT 2 x 2"},
      {"cut, then paste past the map's edge", {"ab", "cd"},
       {key(KEY_S), press(0, 0), drag(1, 1), kRelease, ctrl(KEY_X), ctrl(KEY_V), press(47, 1),
        kRelease},
       {"00", "00" + std::string(45, '.') + "a", std::string(47, '.') + "c"}, 2, "SELECT 2 x 2"},
      {"delete", {"ab", "cd"},
       {key(KEY_S), press(0, 1), drag(1, 1), kRelease, key(KEY_DEL)}, {"ab", "00"}, 1,
       "SELECT 2 x 1"},
      {"the world view drops the selection: Delete there clears nothing", {"ab"},
       {key(KEY_S), press(0, 0), drag(1, 0), kRelease, kWorldView, key(KEY_DEL)}, {"ab"}, 0,
       "SELECT"},
      {"the copy survives opening another map", {"ab"},
       {key(KEY_S), press(0, 0), drag(1, 0), kRelease, ctrl(KEY_C), kOpenOther, ctrl(KEY_V),
        press(5, 1), kRelease},
       {"ab", ".....ab"}, 1, "SELECT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditorApp& app = startOn(c.before);
    for (const Step& step : c.steps) run(step);
    EXPECT_EQ(app.state().tools.status(), c.status);
    app.context().document.endStep();
    EXPECT_EQ(test::mapRows(app.document().map()), test::mapRows(test::picturedMap('.', c.after)));
    EXPECT_EQ(app.document().history().undoCount(), c.undoSteps);
    for (std::size_t i = 0; i < c.undoSteps; ++i) editor.pressKey(KEY_Z, KB_CTRL_FLAG);
    EXPECT_EQ(test::mapRows(app.document().map()), test::mapRows(test::picturedMap('.', c.before)))
        << "undone";
  }
}

TEST_F(EditTools, EscapeEndsThePreviewTheSelectionThePlacingThenAsksBeforeQuitting) {
  EditorApp& app = startOn({"ab"});
  for (const Step& step : {key(KEY_S), press(0, 0), drag(1, 0), kRelease, ctrl(KEY_C), ctrl(KEY_V)})
    run(step);
  editor.files.answer(editor.dir.file("VEKAB.MAP"));
  editor.click(984, 94);  // "+", a destination chosen
  ASSERT_EQ(app.state().mode, EditorMode::PlaceTeleport);
  editor.pressKey(KEY_ESC);
  EXPECT_FALSE(app.state().tools.pasting());
  editor.pressKey(KEY_ESC);
  EXPECT_FALSE(app.state().tools.selection());
  editor.pressKey(KEY_ESC);
  EXPECT_EQ(app.state().mode, EditorMode::Edit);
  app.context().document.apply([](Map& map) { map.setTile(9, 9, kPaint); });
  editor.questions.answer("Cancel");
  EXPECT_TRUE(editor.pressKey(KEY_ESC)) << "cancelled";
  EXPECT_EQ(editor.questions.asked.size(), 1u);
  EXPECT_EQ(app.document().map().teleportCount(), 0);
}

TEST_F(EditTools, HelpTakesTheNextKeyOrClickAndNothingElse) {
  EditorApp& app = startOn({});
  for (bool byKey : {true, false}) {
    editor.pressKey(KEY_F1);
    ASSERT_TRUE(app.state().help.shown());
    if (byKey) {
      editor.pressKey(KEY_R);
    } else {
      editor.click(inCellX(4), inCellY(4));
    }
    EXPECT_FALSE(app.state().help.shown());
    EXPECT_EQ(app.state().tools.active(), Tool::Pencil) << "the closing key chose no tool";
    EXPECT_EQ(app.document().map().getTile(4, 4), '.') << "the closing click painted nothing";
  }
}

TEST_F(EditTools, TheLastRowOfALongTeleportListIsReachedAndAnotherMapShowsTheTop) {
  EditorApp& app = startOn({});
  app.context().document.apply([](Map& map) {
    for (int i = 0; i < 80; ++i) map.addTeleport(1, 1, ("T" + std::to_string(i)).c_str());
  });
  editor.pass(930, 695);
  mouse_z -= 10;  // the wheel towards the user: later rows, to the end
  editor.pass(930, 695);
  editor.click(984, 695);  // the last row's "-"
  ASSERT_EQ(app.document().map().teleportCount(), 79);
  EXPECT_STREQ(app.document().map().teleports().back().name, "T78");
  editor.click(995, 105);  // the up arrow
  EXPECT_EQ(app.state().teleportList.firstShown(79, 700), 16);
  run(kOpenOther);
  EXPECT_EQ(app.state().teleportList.firstShown(80, 700), 0);
}

}  // namespace
}  // namespace vek
