// What one pass draws against golden pictures of the whole window
// (tests/golden/editor-*.png) at 16, 24 and 32 bits per pixel.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app_test_support.h"
#include "golden_image.h"

namespace vek {
namespace {

using test::HeadlessEditor;
using test::TilePicture;
using test::textDifferences;
using test::white;

// Pictures of every size around a cell and around the character a palette
// cell shows 4 pixels in and 8 down (8 x 8 in Allegro's font): as large as
// the cell, smaller, larger, one pixel short of hiding the character each way.
std::vector<TilePicture> variedPictures() {
  return {{200, {0, 255, 0}},         {201, {255, 0, 255}, 10, 12}, {202, {0, 0, 255}, 30, 30},
          {250, {255, 255, 0}},       {'A', {0, 255, 0}},           {'B', {255, 0, 255}, 12, 16},
          {'_', {0, 0, 255}, 11, 16}, {169, {255, 255, 0}, 12, 15}, {174, {255, 255, 0}, 12, 16},
          {'E', {0, 255, 255}, 5, 5}, {0, {90, 90, 90}, 3, 3},      {255, {30, 30, 200}, 40, 12}};
}

// A local map with 80 more teleports, the list scrolled to its end, cells
// (2, 2) to (4, 4) selected and copied, the copy's preview following the
// mouse, a teleport waiting for its cell, and the help shown.
void useTheTools(EditorApp& app) {
  MapDocument& document = app.context().document;
  EditorState& state = app.context().state;
  Map& map = document.beginStep();
  map.kind = MapKind::Local;
  for (int i = 0; i < 80; ++i) map.addTeleport(i % 48 + 1, i / 48 + 3, ("T" + std::to_string(i)).c_str());
  document.endStep();
  EditTools& tools = state.tools;
  tools.choose(Tool::Select, document);
  tools.press(document, {2, 2}, 0, false);
  tools.drag(document, {4, 4}, true, 0);
  tools.release(document, 0);
  tools.copySelection(document.map());
  tools.startPaste();
  state.teleportList.scroll(100, document.map().teleportCount(), 700);
  state.mode = EditorMode::PlaceTeleport;
  std::strcpy(state.teleportDestination, "CAVE");
  state.help.show();
}

class EditorScreen : public ::testing::TestWithParam<int> {};

TEST_P(EditorScreen, EditingScreensMatchTheirGoldenPictures) {
  struct Case {
    const char* golden;
    std::vector<TilePicture> pictures;  // none: no data.dat, every code its character
    int selected;        // -1: as started, tile 250
    int mouseX, mouseY;  // over a cell: the readout names it
    bool tools = false;
  };
  const Case cases[] = {
      {"editor-pictures", variedPictures(), 202, 37, 45},
      {"editor-characters", {}, -1, 930, 105},  // on TOWN1's row
      {"editor-tools", variedPictures(), -1, 845, 445, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    HeadlessEditor editor(GetParam());
    EditorApp& app = editor.start(c.pictures);
    app.context().document.open("/maps/world/VEKAB.MAP");  // no file there: an empty map
    if (c.selected >= 0) app.context().state.selectedTile = static_cast<TileCode>(c.selected);
    // Every code in the map, and teleports at extreme places.
    Map& map = app.context().document.beginStep();
    for (int row = 0; row < Map::kRows; ++row)
      for (int column = 0; column < Map::kColumns; ++column)
        map.setTile(column, row, static_cast<TileCode>(row * 48 + column));
    map.addTeleport(5, 8, "TOWN1");
    map.addTeleport(-1, 48, std::string(40, 'L').c_str());
    map.addTeleport(2147483647, -2147483647 - 1, "EXTREME");
    app.context().document.endStep();
    if (c.tools) useTheTools(app);
    for (int pass = 0; pass < 2; ++pass) {  // the second with every character known
      ASSERT_TRUE(editor.pass(c.mouseX, c.mouseY));
      EXPECT_EQ(test::goldenDifferences(editor.frame(), c.golden), "") << "pass " << pass;
    }
    EXPECT_EQ(test::imageDifferences(screen, editor.frame()), "") << "the frame reaches the screen";
  }
}

TEST_P(EditorScreen, KindLineAndReadoutFollowTheMapAndTheMouse) {
  HeadlessEditor editor(GetParam());
  EditorApp& app = editor.start();
  struct Kind {
    int kind;
    const char* label;  // null: nothing
  };
  for (Kind k : {Kind{1, "WILDERNESS"}, {2, "LOCAL"}, {4, "INTERIOR"}, {3, nullptr}, {0, nullptr}}) {
    app.context().document.beginStep().kind = static_cast<MapKind>(k.kind);
    editor.pass(995, 695);
    if (k.label) {
      EXPECT_EQ(textDifferences(editor.frame(), 5, 495, k.label, white()), "") << k.kind;
    } else {
      EXPECT_TRUE(test::allPixels(editor.frame(), 0, 494, 200, 10, 0)) << k.kind;
    }
  }
  Map& map = app.context().document.beginStep();
  map.kind = MapKind::Wilderness;
  map.setTile(2, 2, 77);
  map.setTile(47, 23, 9);
  struct Point {
    int x, y;
    const char* position;  // null: no readout
    const char* code;
  };
  const Point points[] = {
      {37, 45, "3,3", "77"},     {1, 0, "1,1", "0"},         {863, 479, "48,24", "9"},
      {0, 45, nullptr, nullptr},  // the leftmost column is not part of the area
      {864, 45, nullptr, nullptr}, {37, 480, nullptr, nullptr},
  };
  for (const Point& p : points) {
    editor.pass(p.x, p.y);
    if (p.position) {
      EXPECT_EQ(textDifferences(editor.frame(), 880, 70, p.position, white()), "") << p.x << "," << p.y;
      EXPECT_EQ(textDifferences(editor.frame(), 940, 70, p.code, white()), "") << p.x << "," << p.y;
    } else {
      EXPECT_TRUE(test::allPixels(editor.frame(), 870, 69, 130, 10, 0)) << p.x << "," << p.y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, EditorScreen, ::testing::Values(32, 24, 16),
                         test::depthName);

}  // namespace
}  // namespace vek
