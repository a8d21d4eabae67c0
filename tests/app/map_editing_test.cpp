// The mouse on the map, the palette and the teleport list, pass by pass.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "app/map_editing.h"
#include "app_test_support.h"
#include "map/map_naming.h"

namespace vek {
namespace {

using test::HeadlessEditor;
using test::inCellX;
using test::inCellY;

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;

class MapEditing : public ::testing::Test {
 protected:
  MapEditing() {
    app = &editor.start();
    folder = editor.dir.path() + "/";
  }

  void useMap(const std::string& name) {
    std::string path = folder + name;
    app->context().document.open(path.c_str());
  }

  HeadlessEditor editor;
  EditorApp* app;
  std::string folder;
};

// A stroke from press to release is one step; the UNDO and REDO buttons and
// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z walk the history, and the path line's "*"
// follows.
TEST_F(MapEditing, UndoAndRedoTakeAStrokeAsOneStepByButtonAndKey) {
  useMap("VEKAA.MAP");
  app->context().state.selectedTile = 'T';
  for (int column = 3; column < 6; ++column) editor.pass(inCellX(column), inCellY(2), kLeft);
  editor.pass(inCellX(6), inCellY(2), kRight);  // a pick after the stroke changes nothing
  editor.pass(inCellX(6), inCellY(2), 0);
  auto painted = [&] {
    int count = 0;
    for (int column = 3; column < 6; ++column) count += app->document().map().getTile(column, 2) == 'T';
    return count;
  };
  struct Action {
    const char* name;
    std::function<void()> run;
    int painted;
    bool modified;
  };
  auto press = [&](int scancode, int shifts) { editor.pressKey(scancode, shifts); };
  const Action actions[] = {
      {"the stroke", [] {}, 3, true},
      {"UNDO", [&] { editor.click(690, 610); }, 0, false},
      {"REDO", [&] { editor.click(780, 610); }, 3, true},
      {"Ctrl+Z", [&] { press(KEY_Z, KB_CTRL_FLAG); }, 0, false},
      {"Ctrl+Y", [&] { press(KEY_Y, KB_CTRL_FLAG); }, 3, true},
      {"Ctrl+Z again", [&] { press(KEY_Z, KB_CTRL_FLAG); }, 0, false},
      {"Ctrl+Shift+Z", [&] { press(KEY_Z, KB_CTRL_FLAG | KB_SHIFT_FLAG); }, 3, true},
      {"Z alone", [&] { press(KEY_Z, 0); }, 3, true},
  };
  for (const Action& action : actions) {
    SCOPED_TRACE(action.name);
    action.run();
    EXPECT_EQ(painted(), action.painted);
    EXPECT_EQ(app->document().isModified(), action.modified);
    editor.pass(990, 690);
    std::string pathLine = app->document().path() + (action.modified ? "*" : "");
    EXPECT_EQ(test::textDifferences(editor.frame(), 5, 485, pathLine.c_str(), test::white()), "");
  }
  EXPECT_EQ(app->document().history().undoCount(), 1u);
}

TEST_F(MapEditing, APressThatStartedElsewhereDoesNotPaintWhenDraggedOntoTheMap) {
  // Pressed on the palette: the tile is picked once, and the latch keeps the
  // drag over the map from painting.
  editor.pass(test::paletteX('M') + 2, test::paletteY('M') + 2, kLeft);
  EXPECT_EQ(app->state().selectedTile, 'M');
  editor.pass(inCellX(5), inCellY(5), kLeft);
  editor.pass(inCellX(6), inCellY(5), kLeft);
  EXPECT_EQ(app->document().map().getTile(5, 5), 0);
  EXPECT_EQ(app->document().map().getTile(6, 5), 0);
  EXPECT_TRUE(app->state().mouseLatch);
  // Pressed on a button-less spot, then the middle button joins: still held.
  editor.pass(inCellX(6), inCellY(5), kMiddle);
  EXPECT_TRUE(app->state().mouseLatch);
  editor.pass(inCellX(6), inCellY(5), 0);
  EXPECT_FALSE(app->state().mouseLatch);
  editor.pass(inCellX(6), inCellY(5), kLeft);
  EXPECT_EQ(app->document().map().getTile(6, 5), 'M');
}

TEST_F(MapEditing, TheRightButtonPicksTheTileUnderTheMouseOnEveryPass) {
  app->context().document.beginStep().setTile(7, 3, 'a');
  app->context().document.beginStep().setTile(8, 3, 'b');
  editor.pass(inCellX(7), inCellY(3), kRight);
  EXPECT_EQ(app->state().selectedTile, 'a');
  editor.pass(inCellX(8), inCellY(3), kRight);
  EXPECT_EQ(app->state().selectedTile, 'b');
  EXPECT_FALSE(app->state().mouseLatch);  // no latch: a left press acts at once
  editor.pass(inCellX(9), inCellY(3), kRight | kLeft);
  EXPECT_EQ(app->document().map().getTile(9, 3), 0);  // picked 0 first, then painted it
  EXPECT_EQ(app->state().selectedTile, 0);

  // In PlaceTeleport too, without leaving it; not in WorldView; not at x = 0.
  app->context().state.mode = EditorMode::PlaceTeleport;
  editor.pass(inCellX(7), inCellY(3), kRight);
  EXPECT_EQ(app->state().selectedTile, 'a');
  EXPECT_EQ(app->state().mode, EditorMode::PlaceTeleport);
  app->context().document.beginStep().setTile(0, 3, 'z');
  editor.pass(0, inCellY(3), kRight);
  EXPECT_EQ(app->state().selectedTile, 'a');
  app->context().state.mode = EditorMode::WorldView;
  editor.pass(inCellX(8), inCellY(3), kRight);
  EXPECT_EQ(app->state().selectedTile, 'a');
}

TEST_F(MapEditing, AClickAtTheLeftEdgeSelectsFromThePaletteButDoesNotPaint) {
  app->context().state.selectedTile = 'P';
  editor.click(0, inCellY(1));
  EXPECT_EQ(app->document().map().getTile(0, 1), 0);
  struct Case {
    int y;
    int code;
  };
  for (Case c : {Case{520, 0}, Case{539, 0}, Case{540, 32}, Case{565, 64}, Case{679, 224}}) {
    app->context().state.mode = EditorMode::WorldView;
    editor.click(0, c.y);
    EXPECT_EQ(app->state().selectedTile, c.code) << "y " << c.y;
    EXPECT_EQ(app->state().mode, EditorMode::Edit);
  }
  editor.click(575, 679);
  EXPECT_EQ(app->state().selectedTile, 255);
  editor.click(576, 600);  // right of the palette: nothing
  editor.click(100, 680);  // below it
  EXPECT_EQ(app->state().selectedTile, 255);
}

TEST_F(MapEditing, PlusAsksForADestinationAndTheNextMapClickPlacesIt) {
  struct Case {
    const char* answer;  // null: cancelled
    EditorMode mode;
    const char* destination;
  };
  const Case cases[] = {
      {nullptr, EditorMode::Edit, ""},
      // With no map chosen, the current folder is the working directory.
      {"CAVE1.MAP", EditorMode::PlaceTeleport, "CAVE1"},
      {"A.MAP", EditorMode::PlaceTeleport, "A"},
      {"ABCD", EditorMode::Edit, "A"},  // refused with a message
      {".MAP", EditorMode::Edit, "A"},
      {nullptr, EditorMode::Edit, "A"},  // cancelling keeps the last name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer ? c.answer : "cancelled");
    if (c.answer) {
      editor.files.answer(c.answer);
    } else {
      editor.files.cancelNext();
    }
    std::size_t callsBefore = editor.files.calls.size();
    editor.click(984, 94);
    ASSERT_EQ(editor.files.calls.size(), callsBefore + 1);
    const auto& call = editor.files.calls.back();
    EXPECT_EQ(call.title, std::optional<std::string>("Select destination map for teleport"));
    EXPECT_EQ(call.extension, "MAP");
    EXPECT_EQ(app->state().mode, c.mode);
    EXPECT_STREQ(app->state().teleportDestination, c.destination);
  }
  // The dialog offers the path chosen last (call 0 was the first map's).
  ASSERT_EQ(editor.files.calls.size(), 7u);
  EXPECT_EQ(editor.files.calls[1].initialPath, "");
  EXPECT_EQ(editor.files.calls[3].initialPath, "CAVE1.MAP");
  EXPECT_EQ(editor.files.calls[6].initialPath, ".MAP");
  EXPECT_EQ(app->document().map().teleportCount(), 0);
}

TEST_F(MapEditing, APressActsOnceWhereItBeganEvenIfTheMouseMovesDuringTheDialog) {
  app->context().document.beginStep().addTeleport(1, 1, "KEEP");
  // The dialog is confirmed with the mouse over the first "-".
  editor.files.whileOpen = [] { test::putMouse(985, 105, 1); };
  editor.files.answer("CAVE1.MAP");
  editor.pass(984, 94, 1);
  editor.files.whileOpen = nullptr;
  EXPECT_EQ(app->state().mode, EditorMode::PlaceTeleport);
  EXPECT_EQ(app->document().map().teleportCount(), 1);
}

TEST_F(MapEditing, APlacedTeleportStoresTheCellPlusOneAndTwoMayShareACell) {
  app->context().state.selectedTile = 'Z';
  for (const char* answer : {"TOWN1.MAP", "TOWN2.MAP"}) {
    editor.files.answer(answer);
    editor.click(980, 90);
    ASSERT_EQ(app->state().mode, EditorMode::PlaceTeleport);
    editor.pass(inCellX(4), inCellY(7), kLeft);
    EXPECT_EQ(app->state().mode, EditorMode::Edit);
    editor.pass(inCellX(5), inCellY(7), kLeft);  // held on: no painting
    editor.pass(inCellX(5), inCellY(7), 0);
  }
  ASSERT_EQ(app->document().map().teleportCount(), 2);
  int index = 1;
  for (const auto& teleport : app->document().map().teleports())
    EXPECT_EQ(std::to_string(teleport.x) + "," + std::to_string(teleport.y) + teleport.name,
              "5,8TOWN" + std::to_string(index++));
  EXPECT_EQ(app->document().map().getTile(4, 7), 0);
  EXPECT_EQ(app->document().map().getTile(5, 7), 0);
}

TEST_F(MapEditing, PlusInTheWorldViewShowsTheMapAgainForTheTeleportsCell) {
  test::writeFilledMap(folder + "VEKAA.MAP", 'T');
  useMap("VEKAA.MAP");
  app->context().state.mode = EditorMode::WorldView;
  editor.files.answer(folder + "INN01.MAP");
  editor.click(985, 95);
  EXPECT_EQ(app->state().mode, EditorMode::PlaceTeleport);
  editor.pass(995, 695);
  // The map grid again: tile 'T' as its character in cell (0, 0).
  EXPECT_EQ(test::textDifferences(editor.frame(), 5, 8, "T", test::white()), "");
}

TEST_F(MapEditing, MinusRemovesTheTeleportOfItsRowAndAnyRowEndsInEdit) {
  app->context().document.beginStep().addTeleport(1, 1, "FIRST");
  app->context().document.beginStep().addTeleport(2, 2, "SECOND");
  app->context().document.beginStep().addTeleport(3, 3, "THIRD");
  app->context().state.mode = EditorMode::WorldView;
  editor.click(989, 119);  // row 1
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
  ASSERT_EQ(app->document().map().teleportCount(), 2);
  EXPECT_STREQ(app->document().map().teleports()[0].name, "FIRST");
  EXPECT_STREQ(app->document().map().teleports()[1].name, "THIRD");

  app->context().state.mode = EditorMode::PlaceTeleport;
  editor.click(980, 150);  // row 5: no teleport there
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
  EXPECT_EQ(app->document().map().teleportCount(), 2);
  editor.click(980, 699);
  editor.click(990, 100);  // just right of the column
  EXPECT_EQ(app->document().map().teleportCount(), 2);
  editor.click(980, 100);
  ASSERT_EQ(app->document().map().teleportCount(), 1);
  EXPECT_STREQ(app->document().map().teleports()[0].name, "THIRD");
}

TEST_F(MapEditing, TheMiddleButtonFollowsATeleportOrEntersTheCellsLocalMap) {
  // No map chosen: the path is empty, so is the code.
  editor.click(inCellX(0), inCellY(0), kMiddle);
  EXPECT_EQ(app->document().path(), "T2113.MAP");
  EXPECT_EQ(app->document().map().kind, MapKind::Local);

  test::writeFilledMap(folder + "FIRST.MAP", 'F', MapKind::Interior);
  test::writeFilledMap(folder + "SECOND.MAP", 'S');
  struct Case {
    const char* name;
    const char* from;  // a map of 'h', with teleports FIRST then SECOND on cell (2, 3)
    MapKind kind;
    EditorMode mode;
    int x, y;
    const char* to;
    MapKind openedKind;
    TileCode openedCode;  // of cell (0, 0)
  } cases[] = {
      {"the first teleport on the cell", "VEKAA.MAP", MapKind::Wilderness, EditorMode::Edit,
       inCellX(2), inCellY(3), "FIRST.MAP", MapKind::Interior, 'F'},
      {"a wilderness cell without a teleport: its local map, made empty", "VEKCD.MAP",
       MapKind::Wilderness, EditorMode::Edit, inCellX(47), inCellY(23), "TCD6836.MAP",
       MapKind::Local, 0},
      {"the letters from the file name alone", "NODOT", MapKind::Wilderness, EditorMode::Edit,
       inCellX(2), inCellY(0), "TOT2313.MAP", MapKind::Local, 0},
      {"a local map has no local maps", "HOME.MAP", MapKind::Local, EditorMode::Edit, inCellX(3),
       inCellY(3), "HOME.MAP", MapKind::Local, 'h'},
      {"nor an interior", "HOME.MAP", MapKind::Interior, EditorMode::Edit, inCellX(3), inCellY(3),
       "HOME.MAP", MapKind::Interior, 'h'},
      {"not while placing a teleport", "HOME.MAP", MapKind::Wilderness, EditorMode::PlaceTeleport,
       inCellX(3), inCellY(3), "HOME.MAP", MapKind::Wilderness, 'h'},
      {"not in the world view", "HOME.MAP", MapKind::Wilderness, EditorMode::WorldView, inCellX(3),
       inCellY(3), "HOME.MAP", MapKind::Wilderness, 'h'},
      {"not outside the map area", "HOME.MAP", MapKind::Wilderness, EditorMode::Edit, 0, inCellY(3),
       "HOME.MAP", MapKind::Wilderness, 'h'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::writeFilledMap(folder + c.from, 'h', c.kind);
    useMap(c.from);
    app->context().document.beginStep().addTeleport(3, 4, "FIRST");
    app->context().document.beginStep().addTeleport(3, 4, "SECOND");
    app->context().state.mode = c.mode;
    editor.pass(c.x, c.y, kMiddle);
    EXPECT_EQ(app->document().path(), folder + c.to);
    EXPECT_EQ(app->document().map().kind, c.openedKind);
    EXPECT_EQ(app->document().map().getTile(0, 0), c.openedCode);
    EXPECT_EQ(app->state().mode, c.mode);
    editor.pass(c.x, c.y, kMiddle);  // held on: once per press
    EXPECT_EQ(app->document().path(), folder + c.to);
    editor.pass(c.x, c.y, 0);
  }
  // A teleport to a map not made yet starts it empty, of the same kind.
  test::writeFilledMap(folder + "HALL.MAP", '.', MapKind::Interior);
  useMap("HALL.MAP");
  app->context().document.beginStep().addTeleport(10, 10, "CELLAR");
  editor.click(inCellX(9), inCellY(9), kMiddle);
  EXPECT_EQ(app->document().path(), folder + "CELLAR.MAP");
  EXPECT_EQ(app->document().map().kind, MapKind::Interior);
  EXPECT_EQ(app->document().map().getTile(0, 0), 0);
  EXPECT_EQ(app->document().map().teleportCount(), 0);
  // A local map not made yet has no teleports of the one before; once
  // saved, entering it again loads it.
  useMap("VEKCD.MAP");
  editor.click(inCellX(47), inCellY(23), kMiddle);
  EXPECT_EQ(app->document().map().teleportCount(), 0);
  app->context().document.beginStep().setTile(0, 0, 's');
  ASSERT_TRUE(app->document().map().save(app->document().path().c_str()));
  useMap("VEKCD.MAP");
  editor.click(inCellX(47), inCellY(23), kMiddle);
  EXPECT_EQ(app->document().map().getTile(0, 0), 's');

  // A stored teleport out of the folder is not followed; a message says why.
  app->context().document.beginStep().addTeleport(1, 1, "../evil");
  editor.click(inCellX(0), inCellY(0), kMiddle);
  EXPECT_EQ(app->document().path(), folder + "TCD6836.MAP");
  EXPECT_EQ(editor.messages.shown,
            std::vector<std::string>{
                "This teleport leads out of the world folder (../evil); it is not followed."});
}

// A folder deep enough that the current path just fits the path buffer:
// every name formed from it is longer, and must change nothing.
class LongPathEditing : public MapEditing {
 protected:
  LongPathEditing() {
    // Folders down to a folder part of 1,018 characters, then "A.MAP".
    std::string path = folder;
    while (path.size() < 1016) path += "d/";
    path += std::string(1018 - path.size() - 1, 'e') + "/";
    path += "A.MAP";
    EXPECT_EQ(path.size(), kPathCapacity - 1);
    app->context().document.open(path.c_str());
    app->context().document.beginStep().setTile(1, 1, 'k');
    app->context().document.beginStep().addTeleport(2, 2, "SOMEWHERE");
  }
};

TEST_F(LongPathEditing, NamesThatWouldNotFitThePathBufferChangeNeitherPathNorMap) {
  std::string before = app->document().path();
  struct Case {
    const char* name;
    EditorMode mode;
    int cell, buttons;
  } cases[] = {{"the teleport's destination", EditorMode::Edit, 1, kMiddle},
               {"the local map T..2618.MAP", EditorMode::Edit, 5, kMiddle},
               {"a wilderness map VEK...MAP", EditorMode::WorldView, 5, kLeft}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    app->context().state.mode = c.mode;
    editor.click(inCellX(c.cell), inCellY(c.cell), c.buttons);
    EXPECT_EQ(app->document().path(), before);
    EXPECT_EQ(app->document().map().getTile(1, 1), 'k');
    EXPECT_EQ(app->document().map().kind, MapKind::Wilderness);
    EXPECT_EQ(app->document().map().teleportCount(), 1);
    EXPECT_EQ(app->state().mode, EditorMode::Edit);
  }
}

}  // namespace
}  // namespace vek
