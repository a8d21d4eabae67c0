// What one pass draws: the map cells, the palette, the status texts, the
// teleport list, the readout and the main form, compared pixel by pixel with
// pictures and with text drawn by Allegro's own font at the stated places.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>

#include "app/editor_screen.h"
#include "app_test_support.h"

namespace vek {
namespace {

using test::cellX;
using test::cellY;
using test::Colour;
using test::HeadlessEditor;
using test::paletteX;
using test::paletteY;
using test::TilePicture;
using test::textDifferences;
using test::white;

// A place where the mouse touches nothing.
constexpr int kIdleX = 995;
constexpr int kIdleY = 695;

// Pure colours, which every colour depth keeps exactly.
constexpr Colour kGreen{0, 255, 0};
constexpr Colour kMagenta{255, 0, 255};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kYellow{255, 255, 0};

// 65 ('A') and 0 have no picture; 200 fills its cell; 201 is smaller and
// 202 larger than a cell; 250 (the tile selected at start-up) has one.
std::vector<TilePicture> testPictures() {
  return {{200, kGreen}, {201, kMagenta, 10, 12}, {202, kBlue, 30, 30}, {250, kYellow}};
}

// A cell as it must look: black, then the character of code at
// (characterX, 8), then a picture of the given size and colour over it.
test::BitmapPtr expectedCell(int code, int characterX, int pictureWidth, int pictureHeight,
                                int pictureColour) {
  test::BitmapPtr cell(create_bitmap(18, 20));
  clear_bitmap(cell.get());
  if (characterX >= 0) textprintf_ex(cell.get(), font, characterX, 8, white(), -1, "%c", code);
  if (pictureWidth > 0)
    rectfill(cell.get(), 0, 0, pictureWidth - 1, pictureHeight - 1, pictureColour);
  return cell;
}

// Where the 18 x 20 block at (x, y) of target differs from cell.
std::string cellDifferences(BITMAP* target, int x, int y, BITMAP* cell) {
  int differing = 0;
  std::string first;
  for (int row = 0; row < 20; ++row) {
    for (int column = 0; column < 18; ++column) {
      if (getpixel(target, x + column, y + row) == getpixel(cell, column, row)) continue;
      if (differing++ == 0)
        first = "first at (" + std::to_string(x + column) + "," + std::to_string(y + row) + ")";
    }
  }
  return differing ? std::to_string(differing) + " pixels differ, " + first : "";
}

class EditorScreen : public ::testing::TestWithParam<int> {
 protected:
  EditorScreen() : editor(GetParam()) {}
  HeadlessEditor editor;
};

TEST_P(EditorScreen, MapCellsShowTheirPictureCutToTheCellOrTheirCharacterFivePixelsIn) {
  EditorApp& app = editor.start(testPictures());
  struct Case {
    int code;
    int characterX;  // -1: no character
    int pictureWidth, pictureHeight;
    Colour colour;
  };
  const Case cases[] = {
      {65, 5, 0, 0, {}},         // no picture: 'A' at (5, 8)
      {37, 5, 0, 0, {}},         // '%' shows as itself
      {0, -1, 0, 0, {}},         // code 0 formats as an empty text: a black cell
      {200, -1, 18, 20, kGreen},  // a picture of the cell's size
      {201, -1, 10, 12, kMagenta},  // a smaller picture: the rest of the cell black
      {202, -1, 18, 20, kBlue},   // a larger one: only its top-left 18 x 20
  };
  int column = 0;
  for (const Case& c : cases) app.context().document.beginStep().setTile(column++, 3, static_cast<TileCode>(c.code));
  app.context().document.beginStep().setTile(47, 23, 65);  // the last cell
  editor.pass(kIdleX, kIdleY);

  column = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    auto cell = expectedCell(c.code, c.characterX, c.pictureWidth, c.pictureHeight,
                             editor.colour(c.colour));
    EXPECT_EQ(cellDifferences(editor.frame(), cellX(column++), cellY(3), cell.get()), "");
  }
  auto last = expectedCell(65, 5, 0, 0, 0);
  EXPECT_EQ(cellDifferences(editor.frame(), cellX(47), cellY(23), last.get()), "");
}

TEST_P(EditorScreen, PaletteShowsEachCodeAsItsCharacterFourPixelsInUnderItsPicture) {
  editor.start(testPictures());
  editor.pass(kIdleX, kIdleY);
  struct Case {
    int code;
    int pictureWidth, pictureHeight;
    Colour colour;
  };
  const Case cases[] = {
      {65, 0, 0, {}},   {0, 0, 0, {}},          {32, 0, 0, {}},           {126, 0, 0, {}},
      {255, 0, 0, {}},  {200, 18, 20, kGreen},  {201, 10, 12, kMagenta},  // character shows around it
      {202, 18, 20, kBlue}, {250, 18, 20, kYellow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    auto cell = expectedCell(c.code, 4, c.pictureWidth, c.pictureHeight, editor.colour(c.colour));
    EXPECT_EQ(cellDifferences(editor.frame(), paletteX(c.code), paletteY(c.code), cell.get()), "");
  }
}

TEST_P(EditorScreen, StatusTextsTeleportListAndMarksStandAtTheirPlaces) {
  EditorApp& app = editor.start(testPictures());
  std::string path = editor.dir.file("VEKAB.MAP");
  app.context().document.open(path.c_str());
  test::writeFilledMap(editor.dir.file("TOWN1.MAP"), ',');  // CAVE.MAP does not exist
  app.context().state.selectedTile = 65;
  app.context().document.beginStep().addTeleport(5, 8, "TOWN1");
  app.context().document.beginStep().addTeleport(48, 24, "CAVE");
  editor.pass(kIdleX, kIdleY);
  BITMAP* frame = editor.frame();
  std::string pathLine = path + "*";  // unsaved: the teleports

  struct Text {
    int x, y;
    const char* text;
    int colour;
  };
  const Text texts[] = {
      {5, 485, pathLine.c_str(), white()},
      {5, 495, "WILDERNESS", white()},
      {870, 25, "SELECTED TILE", white()},
      {900, 35, "A", white()},  // tile 65 has no picture: its character
      {940, 35, "65", white()},
      {870, 60, "MAP POS  TILE", white()},
      {870, 90, "TELEPORTS", white()},
      {980, 90, "+", test::red()},
      {870, 100, "5,8", white()},
      {920, 100, "TOWN1", white()},
      {980, 100, "-", test::red()},
      {870, 110, "48,24", white()},
      {920, 110, "CAVE", white()},
      {952, 110, "?", makecol(255, 255, 0)},
      {980, 110, "-", test::red()},
  };
  for (const Text& t : texts) EXPECT_EQ(textDifferences(frame, t.x, t.y, t.text, t.colour), "");
  EXPECT_TRUE(test::allPixels(frame, 960, 100, 8, 10, 0));  // TOWN1 has no "?"
  // No third row.
  EXPECT_TRUE(test::allPixels(frame, 870, 120, 130, 10, 0));
}

TEST_P(EditorScreen, KindLabelNamesTheThreeKindsAndNothingElse) {
  EditorApp& app = editor.start();
  struct Case {
    int kind;
    const char* label;
  };
  const Case cases[] = {{1, "WILDERNESS"}, {2, "LOCAL"}, {4, "INTERIOR"}, {3, nullptr}, {0, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind));
    app.context().document.beginStep().kind = static_cast<MapKind>(c.kind);
    editor.pass(kIdleX, kIdleY);
    if (c.label) {
      EXPECT_EQ(textDifferences(editor.frame(), 5, 495, c.label, white()), "");
    } else {
      EXPECT_TRUE(test::allPixels(editor.frame(), 0, 494, 200, 10, 0));
    }
  }
}

TEST_P(EditorScreen, SelectedTileShowsItsPictureCutToACell) {
  EditorApp& app = editor.start(testPictures());
  editor.pass(kIdleX, kIdleY);  // tile 250 from start-up
  auto yellow = expectedCell(250, -1, 18, 20, editor.colour(kYellow));
  EXPECT_EQ(cellDifferences(editor.frame(), 900, 35, yellow.get()), "");
  EXPECT_EQ(textDifferences(editor.frame(), 940, 35, "250", white()), "");

  app.context().state.selectedTile = 202;
  editor.pass(kIdleX, kIdleY);
  auto blue = expectedCell(202, -1, 18, 20, editor.colour(kBlue));
  EXPECT_EQ(cellDifferences(editor.frame(), 900, 35, blue.get()), "");
  EXPECT_TRUE(test::allPixels(editor.frame(), 918, 35, 20, 20, 0));  // cut at 18 wide
}

TEST_P(EditorScreen, ReadoutShowsTheCellUnderTheMouseOnlyInsideTheMapArea) {
  EditorApp& app = editor.start();
  app.context().document.beginStep().setTile(2, 2, 77);
  app.context().document.beginStep().setTile(47, 23, 9);
  struct Case {
    int x, y;
    const char* position;  // null: no readout
    const char* code;
  };
  const Case cases[] = {
      {37, 45, "3,3", "77"},    {1, 0, "1,1", "0"},       {863, 479, "48,24", "9"},
      {0, 45, nullptr, nullptr},  // the leftmost column is not part of the area
      {864, 45, nullptr, nullptr}, {37, 480, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    editor.pass(c.x, c.y);
    if (c.position) {
      EXPECT_EQ(textDifferences(editor.frame(), 880, 70, c.position, white()), "");
      EXPECT_EQ(textDifferences(editor.frame(), 940, 70, c.code, white()), "");
    } else {
      EXPECT_TRUE(test::allPixels(editor.frame(), 870, 69, 130, 10, 0));
    }
  }
}

TEST_P(EditorScreen, MainFormButtonsAreDrawnAndTheWholeFrameReachesTheScreen) {
  editor.start();
  editor.pass(kIdleX, kIdleY);
  BITMAP* frame = editor.frame();
  struct Button {
    int x, y, width;
    const char* caption;
  };
  const Button buttons[] = {
      {870, 5, 40, "LOAD"},
      {920, 5, 40, "SAVE"},
      {650, 520, 170, "VIEW WORLD MAP"},
      {650, 540, 170, "PLACE FEATURE"},
      {650, 560, 170, "GENERATE CURRENT MAP"},
      {650, 580, 170, "GENERATE WORLD MAP"},
  };
  for (const Button& b : buttons) {
    SCOPED_TRACE(b.caption);
    // The white frame one pixel outside the button, the caption centred.
    EXPECT_TRUE(test::allPixels(frame, b.x - 1, b.y - 1, b.width + 2, 1, white()));
    EXPECT_TRUE(test::allPixels(frame, b.x - 1, b.y + 10, b.width + 2, 1, white()));
    int textX = b.x + (b.width - text_length(font, b.caption)) / 2;
    EXPECT_EQ(textDifferences(frame, textX, b.y + 1, b.caption, white()), "");
  }
  // One blit: the screen holds exactly the frame.
  EXPECT_EQ(test::countPixels(screen, 0, 0, 1000, 700, 0), test::countPixels(frame, 0, 0, 1000, 700, 0));
  for (int y = 0; y < 700; y += 7)
    for (int x = 0; x < 1000; x += 3) ASSERT_EQ(getpixel(screen, x, y), getpixel(frame, x, y));
}

INSTANTIATE_TEST_SUITE_P(Depths, EditorScreen, ::testing::Values(16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param) + "bpp";
                         });

}  // namespace
}  // namespace vek
