// The editing tools through the editor's own input, pass by pass: keys from
// the key buffer, the mouse on the map and on a teleport list longer than
// the screen, and the help overlay that takes the next key or click.
#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "app_test_support.h"

namespace vek {
namespace {

constexpr int kLeft = 1;
int inCellX(int column) { return column * 18 + 9; }
int inCellY(int row) { return row * 20 + 10; }

class ToolInput : public ::testing::Test {
 protected:
  ToolInput() : app(editor.start({}, editor.dir.file("VEKAA.MAP"))) {}

  void drag(int fromColumn, int fromRow, int toColumn, int toRow) {
    editor.pass(inCellX(fromColumn), inCellY(fromRow), kLeft);
    editor.pass(inCellX(toColumn), inCellY(toRow), kLeft);
    editor.pass(inCellX(toColumn), inCellY(toRow), 0);
  }
  TileCode at(int column, int row) const { return app.document().map().getTile(column, row); }

  test::HeadlessEditor editor;
  EditorApp& app;
};

TEST_F(ToolInput, KeysChooseToolsCopyAndPasteAndEscapeEndsOneThingAtATime) {
  app.context().state.selectedTile = 'x';
  drag(1, 1, 2, 2);  // the pencil: (1,1) and (2,2)
  editor.pressKey(KEY_S);
  drag(1, 1, 2, 2);
  editor.pressKey(KEY_C, KB_CTRL_FLAG);
  editor.pressKey(KEY_V, KB_CTRL_FLAG);
  editor.click(inCellX(10), inCellY(5));
  EXPECT_EQ(at(10, 5), 'x');
  EXPECT_EQ(at(11, 6), 'x');
  EXPECT_EQ(at(11, 5), 0);

  editor.questions.answer("Cancel");
  editor.pressKey(KEY_V, KB_CTRL_FLAG);
  EXPECT_TRUE(editor.pressKey(KEY_ESC));  // the preview
  EXPECT_FALSE(app.state().tools.pasting());
  editor.pressKey(KEY_DEL);  // the selection is still there
  EXPECT_EQ(at(1, 1), 0);
  EXPECT_TRUE(editor.pressKey(KEY_ESC));  // the selection
  EXPECT_FALSE(app.state().tools.selection());
  editor.pressKey(KEY_Z, KB_CTRL_FLAG);  // the delete
  editor.pressKey(KEY_Z, KB_CTRL_FLAG);  // the paste
  EXPECT_EQ(at(1, 1), 'x');
  EXPECT_EQ(at(10, 5), 0);
  EXPECT_TRUE(editor.questions.asked.empty());
  EXPECT_TRUE(editor.pressKey(KEY_ESC)) << "nothing under way: the question, cancelled";
  EXPECT_EQ(editor.questions.asked.size(), 1u);
}

TEST_F(ToolInput, HelpTakesTheNextKeyOrClickAndNothingElse) {
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
    EXPECT_EQ(at(4, 4), 0) << "the closing click painted nothing";
  }
}

TEST_F(ToolInput, EveryRowOfALongTeleportListCanBeReachedAndPointsAtItsCell) {
  app.context().document.apply([](Map& map) {
    for (int i = 0; i < 80; ++i) map.addTeleport(i % 48 + 1, i / 48 + 1, ("T" + std::to_string(i)).c_str());
  });
  int yellow = makecol(255, 255, 0);
  editor.pass(930, 695);  // row 59, the last that fits
  EXPECT_GT(test::countPixels(editor.frame(), 11 * 18, 1 * 20, 18, 20, yellow), 0) << "T59 on (11, 1)";
  mouse_z -= 10;  // the wheel towards the user: later rows, to the end
  editor.pass(930, 695);
  editor.pass(930, 695);
  editor.click(984, 695);  // the last row's "-"
  ASSERT_EQ(app.document().map().teleportCount(), 79);
  EXPECT_STREQ(app.document().map().teleports().back().name, "T78");
  editor.click(995, 105);  // the up arrow
  EXPECT_EQ(app.state().teleportList.firstShown(79, 700), 16);
  // Another map starts the list at the top.
  editor.questions.answer("Discard");
  editor.files.answer(editor.dir.file("OTHER.MAP"));
  editor.click(890, 10);  // LOAD
  EXPECT_EQ(app.state().teleportList.firstShown(80, 700), 0);
}

TEST_F(ToolInput, PlacingATeleportSaysSoOnThePathLineAndEscapeCancelsIt) {
  editor.files.answer(editor.dir.file("CAVE.MAP"));
  editor.click(984, 94);  // "+"
  editor.pass(inCellX(7), inCellY(3));
  EXPECT_EQ(test::textDifferences(editor.frame(), 5, 485,
                                  "Click a cell for the teleport to CAVE (Escape cancels)",
                                  makecol(255, 255, 0)),
            "");
  EXPECT_GT(test::countPixels(editor.frame(), 7 * 18, 3 * 20, 18, 1, makecol(255, 255, 0)), 10);
  EXPECT_TRUE(editor.pressKey(KEY_ESC));
  editor.click(inCellX(7), inCellY(3));
  EXPECT_EQ(app.document().map().teleportCount(), 0);
}

}  // namespace
}  // namespace vek
