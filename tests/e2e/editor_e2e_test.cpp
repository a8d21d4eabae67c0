// vekedit driven in Xvfb as a user drives it, checked through screenshots
// and the map files it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>

#include "child_process.h"
#include "editor_session.h"
#include "map/map.h"
#include "map/map_naming.h"
#include "test_maps.h"

namespace vek::e2e {
namespace {

constexpr TileCode kGrass = ',';
constexpr TileCode kForest = 'T';
constexpr TileCode kDeepWater = '~';
constexpr TileCode kShallowWater = 'w';
constexpr TileCode kHouse = 'h';
constexpr TileCode kFloor = '.';

// Points on the buttons.
constexpr int kSaveX = 940, kSaveY = 10;
constexpr int kWorldMapX = 735, kWorldMapY = 525;
constexpr int kFeatureX = 735, kFeatureY = 545;
constexpr int kCurrentMapX = 735, kCurrentMapY = 565;
constexpr int kWorldX = 735, kWorldY = 585;

constexpr int kLeft = 1, kMiddle = 2;

constexpr int kLoadX = 890, kLoadY = 10;
constexpr Rgb kYellow{255, 255, 0};  // outlines

// The question box: white in the middle of the window, where the map shows.
bool questionShown(const Image& shot) { return shot.allOf(440, 318, 120, 8, kWhite); }

using test::writeFilledMap;

bool choosePaletteTile(EditorSession& session, TileCode code) {
  return session.pressUntilScreen(paletteLeft(code) + 17, paletteTop(code) + 19, kLeft,
                                  [&](const Image& s) { return showsTile(s, 900, 35, code); });
}

// Inside the cell's one-pixel frame, where an outline may be.
bool cellInsideShows(const Image& shot, int column, int row, TileCode code) {
  for (int y = 1; y < 19; ++y)
    for (int x = 1; x < 17; ++x)
      if (!(shot.pixel(cellLeft(column) + x, cellTop(row) + y) ==
            shot.pixel(paletteLeft(code) + x, paletteTop(code) + y)))
        return false;
  return true;
}

using ShotCheck = std::function<bool(const Image&)>;

ShotCheck painted(int column, int row) {
  return [=](const Image& s) { return cellShowsTile(s, column, row, kForest); };
}
ShotCheck outlined(int column, int row) {
  return [=](const Image& s) { return s.count(cellLeft(column), cellTop(row), 18, 1, kYellow) == 18; };
}

// A drag: pressed at one cell until started shows, then one jump to the
// other cell (one reading of the mouse), let go once shownWhileHeld.
bool dragCells(EditorSession& session, int fromColumn, int fromRow, int toColumn, int toRow,
               const ShotCheck& started, const ShotCheck& shownWhileHeld) {
  if (!session.pointAt(cellPressX(fromColumn), cellPressY(fromRow))) return false;
  session.x.press(kLeft);
  bool pressed = session.waitForScreen(started);
  if (pressed) session.moveTo(cellPressX(toColumn), cellPressY(toRow));
  bool shown = pressed && session.waitForScreen(shownWhileHeld);
  session.x.release(kLeft);
  return shown;
}

bool allCellsShow(const Image& s, int left, int top, int right, int bottom, TileCode code) {
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column)
      if (!cellShowsTile(s, column, row, code)) return false;
  return true;
}

// Every cell of the rectangle shows code, the pointer kept off the map.
bool cellsShow(EditorSession& session, int left, int top, int right, int bottom, TileCode code) {
  return session.placePointer(995, 695) && session.waitForScreen([&](const Image& s) {
    return allCellsShow(s, left, top, right, bottom, code);
  });
}

bool savedAs(const std::string& path, const Map& expected) {
  Map saved;
  return saved.load(path.c_str()) && saved == expected;
}

bool hasRedMinusInRow(const Image& shot, int row) {
  return shot.count(980, 100 + 10 * row, 10, 10, kRed) > 0;
}

bool onAMapEdge(int x, int y) {
  if (y % 24 == 0 || y % 24 == 23) return true;
  int column = x * 960 / 864;
  return (x + 1) * 960 / 864 / 48 != column / 48 || (x - 1) * 960 / 864 / 48 != column / 48;
}

// Points all over the world picture have their tiles' sample colours (picture
// column x shows grid column x * 960 / 864), but for map edges, where the
// lines and the current map's frame are.
bool picturedIn(const Image& shot, const test::WorldCells& cells) {
  for (int y = 3; y < 480; y += 29)
    for (int x = 1; x < 864; x += 31)
      if (!onAMapEdge(x, y) && !(shot.pixel(x, y) == tileSample(shot, cells.at(x * 960 / 864, y))))
        return false;
  return true;
}

TEST(Editor, PicksPaintsUndoesPlacesATeleportSavesEntersALocalMapAndCloses) {
  EditorSession session;
  writeFilledMap(session.file("VEKAA.MAP"), kGrass);
  writeFilledMap(session.file("TOWN.MAP"), kFloor, MapKind::Interior);
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellShowsTile(s, 0, 0, kGrass); }));

  // The "+" in red: the frame is on the screen (the unit tests hold every
  // pixel of it to a golden picture).
  ASSERT_TRUE(session.placePointer(995, 695));
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return s.count(980, 90, 10, 10, kRed) > 0; }));

  // A tile from the palette: the selected tile panel shows it.
  ASSERT_TRUE(choosePaletteTile(session, kForest));

  // A fast drag along row 3: pressed at column 2, the next reading at 6.
  ASSERT_TRUE(dragCells(session, 2, 3, 6, 3, painted(2, 3),
                        [](const Image& s) { return allCellsShow(s, 2, 3, 6, 3, kForest); }))
      << "the stroke has a gap";

  // Ctrl+Z takes the whole stroke back, Ctrl+Y brings it again.
  ASSERT_TRUE(session.placePointer(995, 695));
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(session, 2, 3, 6, 3, kGrass));
  session.x.key("ctrl+y");
  ASSERT_TRUE(cellsShow(session, 2, 3, 6, 3, kForest));

  // "+", the destination typed into its dialog, then the teleport's cell.
  ASSERT_TRUE(session.clickToOpenDialog(984, 94));
  ASSERT_TRUE(session.answerDialog("TOWN.MAP"));
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(10), cellPressY(5), kLeft,
                                       [](const Image& s) { return hasRedMinusInRow(s, 0); }));

  // The teleport stores the cell plus one (the map tests hold the bytes).
  Map expected = test::filledMap(kGrass);
  for (int column = 2; column <= 6; ++column) expected.setTile(column, 3, kForest);
  expected.addTeleport(11, 6, "TOWN");
  std::string path = session.file("VEKAA.MAP");
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] { return savedAs(path, expected); }));

  // The local map of cell (3, 0) has no file yet: its cells are all 0.
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(3), cellPressY(0), kMiddle, [](const Image& s) {
    return cellShowsTile(s, 0, 0, 0) && cellShowsTile(s, 47, 22, 0);
  }));
  std::string local = session.file("TAA2413.MAP");
  const Map empty = test::filledMap(0, MapKind::Local);
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] { return savedAs(local, empty); }));

  ASSERT_TRUE(session.x.requestClose(session.window));
  EXPECT_EQ(session.waitForExit(), std::optional<int>(0));
}

// Each tool undone with Ctrl+Z: a fast diagonal drag, a fill, a rectangle,
// a house copied on one map and pasted on another (the README's picture of
// the tools), placed and written by SAVE.
TEST(EditingTools, StrokeFillRectangleAndACopyPastedOnAnotherMapEachUndone) {
  EditorSession session;
  writeFilledMap(session.file("VEKAA.MAP"), kGrass);
  writeFilledMap(session.file("VEKAB.MAP"), kDeepWater);
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(choosePaletteTile(session, kForest));

  ASSERT_TRUE(dragCells(session, 2, 2, 12, 12, painted(2, 2), [](const Image& s) {
    for (int cell = 2; cell <= 12; ++cell)
      if (!cellShowsTile(s, cell, cell, kForest)) return false;
    return true;
  })) << "the stroke has a gap";
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(session, 0, 0, 47, 23, kGrass));

  // The whole map is one region.
  session.x.key("f");
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(20), cellPressY(5), kLeft, [](const Image& s) {
    return cellShowsTile(s, 0, 0, kForest) && cellShowsTile(s, 47, 23, kForest);
  }));
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(session, 0, 0, 47, 23, kGrass));

  // Filled from corner to corner when the button is let go.
  session.x.key("r");
  ASSERT_TRUE(dragCells(session, 4, 3, 1, 1, outlined(4, 3), [](const Image& s) {
    return s.count(18, 20, 72, 1, kYellow) > 60;  // the outline's top edge
  }));
  ASSERT_TRUE(cellsShow(session, 1, 1, 4, 3, kForest));
  ASSERT_TRUE(cellsShow(session, 5, 1, 5, 3, kGrass));
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(session, 1, 1, 4, 3, kGrass));

  session.x.key("p");
  ASSERT_TRUE(choosePaletteTile(session, kHouse));
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(5), cellPressY(5), kLeft,
                                       [](const Image& s) { return cellShowsTile(s, 5, 5, kHouse); }));
  session.x.key("s");
  ASSERT_TRUE(dragCells(session, 3, 3, 5, 5, outlined(3, 3), [](const Image& s) {
    return s.count(54, 60, 54, 1, kYellow) > 50;  // the selection's top edge
  }));
  session.x.key("ctrl+c");
  // Escape drops the selection, and the house itself is undone: nothing to ask
  // about before LOAD.
  session.x.key("Escape");
  session.x.key("ctrl+z");
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellShowsTile(s, 5, 5, kGrass); }));
  ASSERT_TRUE(session.clickToOpenDialog(kLoadX, kLoadY));
  ASSERT_TRUE(session.answerDialog("VEKAB.MAP"));
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellShowsTile(s, 20, 20, kDeepWater); }));
  session.x.key("ctrl+v");
  ASSERT_TRUE(session.pointAt(cellPressX(10), cellPressY(10)));
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellInsideShows(s, 12, 12, kHouse); }))
      << "the preview follows the mouse";
  session.saveScreenshotIfAsked("editing-tools.png");
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(10), cellPressY(10), kLeft, [](const Image& s) {
    return s.count(180, 200, 54, 1, kYellow) == 0;  // placed: no preview left
  }));
  Map expected = test::filledMap(kDeepWater);
  for (int row = 10; row <= 12; ++row)
    for (int column = 10; column <= 12; ++column) expected.setTile(column, row, kGrass);
  expected.setTile(12, 12, kHouse);
  std::string path = session.file("VEKAB.MAP");
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] { return savedAs(path, expected); }));
  session.x.key("ctrl+z");
  ASSERT_TRUE(cellsShow(session, 10, 10, 12, 12, kDeepWater));
}

// Eighty teleports: the wheel over the list scrolls it to its end (its down
// arrow turns from white to grey), where the last row's "-" removes the last.
TEST(EditingTools, TheLastMinusOfEightyTeleportsIsReachedByScrolling) {
  EditorSession session;
  Map map = test::filledMap(kGrass);
  for (int i = 0; i < 80; ++i) map.addTeleport(i % 48 + 1, i / 48 + 1, ("D" + std::to_string(i)).c_str());
  std::string path = session.file("VEKAA.MAP");
  ASSERT_TRUE(map.save(path.c_str()));
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));

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
  // Once the last teleport is gone the last row shows another one.
  ASSERT_TRUE(session.pressUntilScreen(984, 695, kLeft, [&](const Image& s) {
    for (int y = 690; y < 698; ++y)
      for (int x = 870; x < 980; ++x)
        if (!(s.pixel(x, y) == before.pixel(x, y))) return true;
    return false;
  }));
  map.removeTeleport(79);
  ASSERT_TRUE(session.pressUntil(kSaveX, kSaveY, kLeft, [&] { return savedAs(path, map); }));
}

TEST(Editor, PlaceFeatureAsksForTheSpotAndGenerateCurrentMapRemakesTheMap) {
  EditorSession session;
  writeFilledMap(session.file("VEKAA.MAP"), kGrass);
  ASSERT_TRUE(session.copySampleScript("farmstead.as"));
  ASSERT_TRUE(session.copySampleScript("island.as"));
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellShowsTile(s, 0, 0, kGrass); }));

  // The farmstead goes where the frozen frame is clicked.
  ASSERT_TRUE(session.clickToOpenDialog(kFeatureX, kFeatureY));
  ASSERT_TRUE(session.answerDialog("farmstead.as"));
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(10), cellPressY(5), kLeft, [](const Image& s) {
    return cellShowsTile(s, 10, 5, kHouse);
  }));
  EXPECT_TRUE(cellShowsTile(session.screen(), 0, 23, kGrass));  // far from it: untouched

  // An island: water all round the edge of the map.
  ASSERT_TRUE(session.clickToOpenDialog(kCurrentMapX, kCurrentMapY));
  ASSERT_TRUE(session.answerDialog("island.as"));
  auto water = [](const Image& s, int column, int row) {
    return cellShowsTile(s, column, row, kDeepWater) ||
           cellShowsTile(s, column, row, kShallowWater);
  };
  ASSERT_TRUE(session.placePointer(995, 695));
  ASSERT_TRUE(session.waitForScreen([&](const Image& s) {
    return water(s, 0, 0) && water(s, 47, 0) && water(s, 0, 23) && water(s, 47, 23) &&
           !cellShowsTile(s, 10, 5, kHouse);
  }));

  // Escape asks about the unsaved island: Escape cancels, S saves and ends.
  session.x.key("Escape");
  ASSERT_TRUE(session.waitForScreen(questionShown));
  session.x.key("Escape");
  ASSERT_TRUE(session.waitForScreen([&](const Image& s) { return !questionShown(s) && water(s, 0, 0); }));
  EXPECT_TRUE(session.editor->running());
  session.x.key("Escape");
  ASSERT_TRUE(session.waitForScreen(questionShown));
  session.x.key("s");
  EXPECT_EQ(session.waitForExit(), std::optional<int>(0));
  Map saved;
  ASSERT_TRUE(saved.load(session.file("VEKAA.MAP").c_str()));
  EXPECT_TRUE(saved.getTile(0, 0) == kDeepWater || saved.getTile(0, 0) == kShallowWater);
}

// A script waiting in getpos (which says so on the path line) or in an
// endless loop stops at Escape or the close button: "Script stopped.", the
// map as it was, and the editor goes on.
TEST(Editor, EscapeAndTheCloseButtonStopAScriptAndTheMapStaysAsItWas) {
  EditorSession session;
  writeFilledMap(session.file("VEKAA.MAP"), kGrass);
  const std::string before = test::readFileBytes(session.file("VEKAA.MAP"));
  ASSERT_TRUE(test::writeFileBytes(session.file("pick.as"),
                                   "void main() { settile(1, 1, 84); int x, y; getpos(x, y); }"));
  ASSERT_TRUE(test::writeFileBytes(session.file("endless.as"),
                                   "void main() { settile(1, 1, 84); while (true) {} }"));
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellShowsTile(s, 0, 0, kGrass); }));

  // The prompt is longer than the path it stands in for.
  const int promptFrom = 5 + 8 * static_cast<int>(session.file("VEKAA.MAP").size() + 1);
  const int promptTo = 5 + 8 * 49;
  ASSERT_LT(promptFrom, promptTo);
  ASSERT_TRUE(session.clickToOpenDialog(kFeatureX, kFeatureY));
  ASSERT_TRUE(session.answerDialog("pick.as"));
  ASSERT_TRUE(session.waitForScreen([&](const Image& s) {
    return s.count(promptFrom, 485, promptTo - promptFrom, 8, kWhite) > 0;
  }));
  session.x.key("Escape");
  EXPECT_EQ(session.answerMessage(), std::optional<std::string>("Script stopped."));

  for (bool closeButton : {false, true}) {
    ASSERT_TRUE(session.clickToOpenDialog(kCurrentMapX, kCurrentMapY));
    ASSERT_TRUE(session.answerDialog("endless.as"));
    if (closeButton) {
      ASSERT_TRUE(session.x.requestClose(session.window));
    } else {
      session.x.key("Escape");
    }
    EXPECT_EQ(session.answerMessage(), std::optional<std::string>("Script stopped."));
  }
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return cellShowsTile(s, 0, 0, kGrass); }));
  // Nothing to save: Escape ends the editor at once.
  EXPECT_EQ(session.holdKeyUntilExit("Escape"), std::optional<int>(0));
  EXPECT_EQ(test::readFileBytes(session.file("VEKAA.MAP")), before);
}

// A world whose files cannot be written (a folder stands where a map
// belongs) is reported and changes no map; Discard then ends the editor
// without saving the painted cell.
TEST(Editor, AnUnwritableWorldIsReportedAndDiscardEndsWithoutSaving) {
  EditorSession session;
  writeFilledMap(session.file("VEKAA.MAP"), kGrass);
  const std::string before = test::readFileBytes(session.file("VEKAA.MAP"));
  ASSERT_TRUE(std::filesystem::create_directory(session.file("VEKCD.MAP")));
  ASSERT_TRUE(test::writeFileBytes(session.file("one.as"), "void main() { settile(1, 1, 84); }"));
  ASSERT_TRUE(session.startOn("VEKAA.MAP"));
  ASSERT_TRUE(session.pressUntilScreen(cellPressX(2), cellPressY(2), kLeft, [](const Image& s) {
    return !cellShowsTile(s, 2, 2, kGrass);
  }));

  // Unsaved changes: Discard, then OK to the warning.
  ASSERT_TRUE(session.pressUntilScreen(kWorldX, kWorldY, kLeft, questionShown));
  session.x.key("d");
  // The warning's box is wider than the question's.
  ASSERT_TRUE(session.waitForScreen([](const Image& s) { return s.allOf(115, 318, 6, 4, kWhite); }));
  session.x.key("o");
  ASSERT_TRUE(session.waitForScreen(dialogShown));
  ASSERT_TRUE(session.answerDialog("one.as"));
  std::optional<std::string> said = session.answerMessage();
  ASSERT_TRUE(said);
  EXPECT_EQ(said->rfind("No map was changed. Cannot write " + session.file("VEKCD.MAP"), 0), 0u)
      << *said;
  EXPECT_FALSE(std::filesystem::exists(session.file("VEKAB.MAP")));

  session.moveTo(995, 695);
  session.x.key("Escape");
  ASSERT_TRUE(session.waitForScreen(questionShown));
  session.x.key("d");
  EXPECT_EQ(session.waitForExit(), std::optional<int>(0));
  EXPECT_EQ(test::readFileBytes(session.file("VEKAA.MAP")), before);
}

// The sample world as run.sh makes it, in the editor and in the world view.
// With VEK_SCREENSHOT_DIR set this makes the README's pictures
// (scripts/update-screenshots.sh).
TEST(EditorPictures, SampleWorldInTheEditorAndInTheWorldView) {
  EditorSession session;
  test::ProgramResult run = test::runProgram(
      {std::string(VEK_SOURCE_DIR) + "/scripts/make-sample-world.sh", session.world.path(), "7"},
      {std::string("BUILD=") + VEK_BUILD_DIR});
  ASSERT_EQ(run.status, 0) << run.output();
  // "veksample: town at cell C,R of PATH", cells counted from 1.
  std::smatch found;
  const std::regex made("town at cell (\\d+),(\\d+) of .*(VEK..\\.MAP)");
  ASSERT_TRUE(std::regex_search(run.out, found, made)) << run.out;
  int townColumn = std::stoi(found[1]) - 1, townRow = std::stoi(found[2]) - 1;
  std::string mapName = found[3];
  ASSERT_TRUE(session.startOn(mapName));
  Map town;
  ASSERT_TRUE(town.load(session.file(mapName).c_str()));
  ASSERT_EQ(town.getTile(townColumn, townRow), 'o');
  // The pointer on the town, whose place the readout shows; the cave
  // entrance's teleport in the list.
  ASSERT_TRUE(session.placePointer(cellPressX(townColumn) - 8, cellPressY(townRow) - 9));
  ASSERT_TRUE(session.waitForScreen([&](const Image& s) {
    return s.count(880, 70, 40, 8, kWhite) > 10 && hasRedMinusInRow(s, 0) &&
           cellShowsTile(s, 0, 0, town.getTile(0, 0)) &&
           cellShowsTile(s, 47, 23, town.getTile(47, 23));
  }));
  session.saveScreenshotIfAsked("editor.png");

  test::WorldCells world(session.world.path() + "/");
  ASSERT_TRUE(session.pressUntilScreen(kWorldMapX, kWorldMapY, kLeft,
                                       [&](const Image& s) { return picturedIn(s, world); }));
  int worldColumn = mapName[3] - 'A', worldRow = mapName[4] - 'A';
  ASSERT_TRUE(session.placePointer((worldColumn * 48 + townColumn) * 864 / 960,
                                   worldRow * 24 + townRow));
  ASSERT_TRUE(session.waitForScreen([&](const Image& s) {
    return s.count(880, 70, 40, 8, kWhite) > 10 && picturedIn(s, world);
  }));
  session.saveScreenshotIfAsked("world-view.png");
  EXPECT_EQ(session.holdKeyUntilExit("Escape"), std::optional<int>(0));
}

}  // namespace
}  // namespace vek::e2e
