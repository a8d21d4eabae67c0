// The editing tools end to end, as a person would try them: a fast drag,
// a fill, a rectangle and a block copied on one map and pasted on another,
// each undone with Ctrl+Z, and a teleport list longer than the window.
#include <gtest/gtest.h>

#include <string>

#include "editor_session.h"
#include "map/map.h"
#include "test_maps.h"

namespace vek::e2e {
namespace {

constexpr TileCode kGrass = ',';
constexpr TileCode kForest = 'T';
constexpr TileCode kWater = '~';
constexpr TileCode kHouse = 'h';
constexpr int kLeft = 1;
constexpr Rgb kYellow{255, 255, 0};  // outlines
constexpr int kSaveX = 940, kSaveY = 10;
constexpr int kLoadX = 890, kLoadY = 10;

// The cell shows code inside its one-pixel frame, where an outline may be.
bool cellInsideShows(const Image& shot, int column, int row, TileCode code) {
  for (int y = 1; y < 19; ++y)
    for (int x = 1; x < 17; ++x)
      if (!(shot.pixel(cellLeft(column) + x, cellTop(row) + y) ==
            shot.pixel(paletteLeft(code) + x, paletteTop(code) + y)))
        return false;
  return true;
}

bool savedAs(const std::string& path, const Map& expected) {
  Map saved;
  return saved.load(path.c_str()) && saved == expected;
}

class EditingTools : public ::testing::Test {
 protected:
  // Every cell of the rectangle shows code.
  bool cellsShow(int left, int top, int right, int bottom, TileCode code) {
    return session.waitForScreen([&](const Image& s) {
      for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column)
          if (!cellShowsTile(s, column, row, code)) return false;
      return true;
    });
  }
  // With the pointer off the map, so that it hides no cell.
  bool wholeMapShows(TileCode code) {
    return session.placePointer(995, 695) && cellsShow(0, 0, 47, 23, code);
  }
  bool choosePaletteTile(TileCode code) {
    return session.pressUntilScreen(paletteLeft(code) + 17, paletteTop(code) + 19, kLeft,
                                    [&](const Image& s) { return showsTile(s, 900, 35, code); });
  }
  // A rectangle or selection drag: presses at one cell, waits until the
  // editor outlines it (a pass has seen the press there), moves the pointer
  // in one jump to another cell, and lets go once the editor has drawn what
  // the drag does there.
  bool dragCells(int fromColumn, int fromRow, int toColumn, int toRow,
                 const std::function<bool(const Image&)>& shownWhileHeld) {
    if (!session.pointAt(cellPressX(fromColumn), cellPressY(fromRow))) return false;
    session.x.press(kLeft);
    bool started = session.waitForScreen([&](const Image& s) {
      return s.count(cellLeft(fromColumn), cellTop(fromRow), 18, 1, kYellow) == 18;
    });
    if (!started) {
      session.x.release(kLeft);
      return false;
    }
    session.moveTo(cellPressX(toColumn), cellPressY(toRow));
    bool shown = session.waitForScreen(shownWhileHeld);
    session.x.release(kLeft);
    return shown;
  }

  EditorSession session;
};

TEST_F(EditingTools, StrokeFillRectangleAndACopyPastedOnAnotherMapEachUndone) {
  test::writeFilledMap(session.file("VEKAA.MAP"), kGrass);
  test::writeFilledMap(session.file("VEKAB.MAP"), kWater);
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(wholeMapShows(kGrass));
  ASSERT_TRUE(choosePaletteTile(kForest));

  // A fast diagonal drag: pressed at (2, 2), the next reading at (12, 12).
  ASSERT_TRUE(session.pointAt(cellPressX(2), cellPressY(2)));
  session.x.press(kLeft);
  ASSERT_TRUE(cellsShow(2, 2, 2, 2, kForest));
  session.moveTo(cellPressX(12), cellPressY(12));
  bool diagonal = session.waitForScreen([](const Image& s) {
    for (int cell = 2; cell <= 12; ++cell)
      if (!cellShowsTile(s, cell, cell, kForest)) return false;
    return true;
  });
  session.x.release(kLeft);
  EXPECT_TRUE(diagonal) << "the stroke has a gap";
  session.x.key("ctrl+z");
  ASSERT_TRUE(wholeMapShows(kGrass));

  // Fill: the whole map is one region.
  session.x.key("f");
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(20), cellPressY(5), kLeft, [](const Image& s) {
    return cellShowsTile(s, 0, 0, kForest) && cellShowsTile(s, 47, 23, kForest);
  }));
  session.x.key("ctrl+z");
  ASSERT_TRUE(wholeMapShows(kGrass));

  // Rectangle: filled from corner to corner when the button is let go.
  session.x.key("r");
  ASSERT_TRUE(dragCells(4, 3, 1, 1, [](const Image& s) {
    return s.count(18, 20, 72, 1, kYellow) > 60;  // the outline's top edge
  }));
  ASSERT_TRUE(session.placePointer(995, 695));
  ASSERT_TRUE(cellsShow(1, 1, 4, 3, kForest));
  ASSERT_TRUE(cellsShow(5, 1, 5, 3, kGrass));
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(1, 1, 4, 3, kGrass));

  // A house in the corner of a 3 x 3 block, copied; Escape drops the
  // selection, and the house itself is undone.
  session.x.key("p");
  ASSERT_TRUE(choosePaletteTile(kHouse));
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(5), cellPressY(5), kLeft,
                                       [](const Image& s) { return cellShowsTile(s, 5, 5, kHouse); }));
  session.x.key("s");
  ASSERT_TRUE(dragCells(3, 3, 5, 5, [](const Image& s) {
    return s.count(54, 60, 54, 1, kYellow) > 50;  // the selection's top edge
  }));
  session.x.key("ctrl+c");
  session.x.key("Escape");
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(5, 5, 5, 5, kGrass));

  // On another map, Ctrl+V and a click place it; SAVE writes it.
  ASSERT_TRUE(session.clickToOpenDialog(kLoadX, kLoadY));
  ASSERT_TRUE(session.answerDialog("VEKAB.MAP"));
  ASSERT_TRUE(wholeMapShows(kWater));
  session.x.key("ctrl+v");
  ASSERT_TRUE(session.pointAt(cellPressX(10), cellPressY(10)));
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellInsideShows(s, 12, 12, kHouse); }))
      << "the preview follows the mouse";
  session.saveScreenshotIfAsked("editing-tools.png");
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(10), cellPressY(10), kLeft, [](const Image& s) {
    return s.count(180, 200, 54, 1, kYellow) == 0;  // placed: no preview left
  }));
  Map expected = test::filledMap(kWater);
  for (int row = 10; row <= 12; ++row)
    for (int column = 10; column <= 12; ++column) expected.setTile(column, row, kGrass);
  expected.setTile(12, 12, kHouse);
  std::string path = session.file("VEKAB.MAP");
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] { return savedAs(path, expected); }));
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(10, 10, 12, 12, kWater));
}

TEST_F(EditingTools, TheLastMinusOfEightyTeleportsIsReachedByScrolling) {
  Map map = test::filledMap(kGrass);
  for (int i = 0; i < 80; ++i) map.addTeleport(i % 48 + 1, i / 48 + 1, ("D" + std::to_string(i)).c_str());
  std::string path = session.file("VEKAA.MAP");
  ASSERT_TRUE(map.save(path.c_str()));
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));

  // The wheel over the list, until the down arrow turns from white to grey:
  // the end.
  ASSERT_TRUE(session.pointAt(930, 400));
  Image before;
  ASSERT_TRUE(waitUntil(
      [&] {
        session.x.xdotool({"click", "5"});
        before = session.screen();
        return before.count(990, 690, 10, 10, kWhite) == 0 &&
               before.count(990, 690, 10, 10, kBlack) < 90;
      },
      kPatience));
  // The last row's "-": the row shows another teleport once it is gone.
  ASSERT_TRUE(session.pressUntilScreen(984, 695, kLeft, [&](const Image& s) {
    for (int y = 690; y < 698; ++y)
      for (int x = 870; x < 980; ++x)
        if (!(s.pixel(x, y) == before.pixel(x, y))) return true;
    return false;
  }));
  map.removeTeleport(79);
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] { return savedAs(path, map); }));
}

}  // namespace
}  // namespace vek::e2e
