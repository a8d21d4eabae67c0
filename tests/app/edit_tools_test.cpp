// The editing tools driven as the mouse and keys drive them, over a real
// document: what each leaves on the map, how many undo steps it makes, and
// what the status line says meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/edit_tools.h"
#include "test_maps.h"

namespace vek {
namespace {

enum class Act { Choose, Press, ShiftPress, Drag, DragOff, Release, Copy, Cut, Delete, Paste, Escape, Open };

struct Step {
  Act act;
  Cell cell = {};
  Tool tool = Tool::Pencil;
};

Step choose(Tool tool) { return {Act::Choose, {}, tool}; }
Step press(int column, int row) { return {Act::Press, {column, row}}; }
Step shiftPress(int column, int row) { return {Act::ShiftPress, {column, row}}; }
Step drag(int column, int row) { return {Act::Drag, {column, row}}; }
Step dragOff(int column, int row) { return {Act::DragOff, {column, row}}; }
Step act(Act what) { return {what}; }

constexpr TileCode kPaint = 'x';

Map pictured(const std::vector<std::string>& picture) { return test::picturedMap('.', picture); }
using test::mapRows;

void run(EditTools& tools, MapDocument& document, const Step& step) {
  switch (step.act) {
    case Act::Choose: tools.choose(step.tool, document); break;
    case Act::Press: tools.press(document, step.cell, kPaint, false); break;
    case Act::ShiftPress: tools.press(document, step.cell, kPaint, true); break;
    case Act::Drag: tools.drag(document, step.cell, true, kPaint); break;
    case Act::DragOff: tools.drag(document, step.cell, false, kPaint); break;
    case Act::Release: tools.release(document, kPaint); break;
    case Act::Copy: tools.copySelection(document.map()); break;
    case Act::Cut: tools.cutSelection(document); break;
    case Act::Delete: tools.deleteSelection(document); break;
    case Act::Paste: tools.startPaste(); break;
    case Act::Escape: tools.cancel(document); break;
    case Act::Open: tools.mapOpened(); break;
  }
}

TEST(EditTools, EachToolLeavesItsCellsAndOneUndoStepPerChange) {
  struct Case {
    const char* name;
    std::vector<std::string> before;
    std::vector<Step> steps;
    std::vector<std::string> after;
    std::size_t undoSteps;
    std::string status;  // after the steps
  } cases[] = {
      {"pencil: a jump between two readings leaves no gap", {},
       {press(0, 0), drag(6, 2), drag(6, 3), act(Act::Release)},
       {"xx.....", "..xxx..", ".....xx", "......x"}, 1, "PENCIL"},
      {"pencil: no line across the time off the map", {},
       {press(0, 0), dragOff(5, 0), drag(3, 2), act(Act::Release)},
       {"x....", ".....", "...x."}, 1, "PENCIL"},
      {"pencil: Escape ends the stroke and keeps it", {},
       {press(0, 0), drag(2, 0), act(Act::Escape), drag(2, 2), act(Act::Release)},
       {"xxx", "...", "..."}, 1, "PENCIL"},
      {"fill: the clicked cell's region", {"###", "..#", "#.#", "###"},
       {choose(Tool::Fill), press(0, 1)}, {"###", "xx#", "#x#", "###"}, 1, "FILL"},
      {"shift-fill: the code everywhere", {"##.", "..#"},
       {choose(Tool::Fill), shiftPress(0, 0)}, {"xx.", "..x"}, 1, "FILL"},
      {"rectangle: corner to corner on release", {},
       {choose(Tool::Rectangle), press(3, 2), drag(1, 1), drag(2, 1), act(Act::Release)},
       {"", "..xx", "..xx"}, 1, "RECTANGLE"},
      {"rectangle: Escape fills nothing", {},
       {choose(Tool::Rectangle), press(3, 2), drag(1, 1), act(Act::Escape), act(Act::Release)},
       {}, 0, "RECTANGLE"},
      {"select, copy, paste elsewhere", {"ab", "cd"},
       {choose(Tool::Select), press(0, 0), drag(1, 1), act(Act::Release), act(Act::Copy),
        act(Act::Paste), press(3, 1)},
       {"ab...", "cd.ab", "...cd"}, 1, "SELECT 2 x 2"},
      {"cut then paste", {"ab", "cd"},
       {choose(Tool::Select), press(1, 0), drag(1, 1), act(Act::Release), act(Act::Cut),
        act(Act::Paste), press(4, 0)},
       {"a0..b", "c0..d"}, 2, "SELECT 1 x 2"},
      {"delete", {"ab", "cd"},
       {choose(Tool::Select), press(0, 1), drag(1, 1), act(Act::Release), act(Act::Delete)},
       {"ab", "00"}, 1, "SELECT 2 x 1"},
      {"the copy survives another map", {"ab"},
       {choose(Tool::Select), press(0, 0), drag(1, 0), act(Act::Release), act(Act::Copy),
        act(Act::Open), act(Act::Paste), press(5, 1)},
       {"ab", ".....ab"}, 1, "SELECT"},
      {"paste preview shows its size", {"ab"},
       {choose(Tool::Select), press(0, 0), drag(1, 0), act(Act::Release), act(Act::Copy),
        act(Act::Paste)},
       {"ab"}, 0, "PASTE 2 x 1"},
      {"rectangle size while dragging", {},
       {choose(Tool::Rectangle), press(3, 2), drag(7, 2)}, {}, 0, "RECTANGLE 5 x 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MapDocument document;
    Map start = pictured(c.before);
    document.apply([&](Map& map) { map = start; });
    std::size_t stepsBefore = document.history().undoCount();
    EditTools tools;
    for (const Step& step : c.steps) run(tools, document, step);
    EXPECT_EQ(tools.status(), c.status);
    document.endStep();
    EXPECT_EQ(mapRows(document.map()), mapRows(pictured(c.after)));
    EXPECT_EQ(document.history().undoCount() - stepsBefore, c.undoSteps);
    for (std::size_t i = 0; i < c.undoSteps; ++i) document.undo();
    EXPECT_EQ(mapRows(document.map()), mapRows(start)) << "undone";
  }
}

TEST(EditTools, EscapeEndsOneThingAtATimeAndThenHasNothingToEnd) {
  MapDocument document;
  document.apply([](Map& map) { map.setTile(0, 0, 'a'); });
  EditTools tools;
  tools.choose(Tool::Select, document);
  tools.press(document, {0, 0}, kPaint, false);
  tools.release(document, kPaint);
  tools.copySelection(document.map());
  tools.startPaste();
  EXPECT_TRUE(tools.cancel(document));  // the preview
  EXPECT_FALSE(tools.pasting());
  EXPECT_TRUE(tools.selection().has_value());
  EXPECT_TRUE(tools.cancel(document));  // the selection
  EXPECT_FALSE(tools.selection().has_value());
  EXPECT_FALSE(tools.cancel(document));
}

}  // namespace
}  // namespace vek
