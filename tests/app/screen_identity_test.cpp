// The frame a pass draws against the frame drawn the plain way, with
// Allegro's own formatting for every number and character and each palette
// character drawn before its picture: the same pixels, whatever is left out
// or formatted differently to make the pass cheaper.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/editor_screen.h"
#include "app_test_support.h"

namespace vek {
namespace {

using test::Colour;
using test::HeadlessEditor;
using test::TilePicture;

// Pictures around the size that hides a palette character (it stands 4
// pixels in and 8 down and is 8 x 8 in Allegro's font): just large enough,
// one pixel short each way, smaller, larger than the cell. '_' (95) and
// '\xa9' (169) reach the last column and row of their 8 x 8 box, so that
// one pixel short shows.
std::vector<TilePicture> variedPictures() {
  return {{'A', {0, 255, 0}},
          {'B', {255, 0, 255}, 12, 16},
          {'_', {0, 0, 255}, 11, 16},
          {169, {255, 255, 0}, 12, 15},
          {174, {255, 255, 0}, 12, 16},
          {'E', {0, 255, 255}, 5, 5},
          {'F', {255, 0, 0}, 30, 30},
          {0, {90, 90, 90}, 3, 3},
          {200, {10, 200, 30}},
          {201, {200, 10, 30}, 11, 30},
          {255, {30, 30, 200}, 40, 12}};
}

// The screen as the editor draws it, the plain way.
void drawReferenceFrame(BITMAP* frame, const EditorApp& app, int mouseX, int mouseY) {
  int white = makecol(255, 255, 255);
  int red = makecol(255, 0, 0);
  clear_bitmap(frame);
  for (int row = 0; row < Map::kRows; ++row) {
    for (int column = 0; column < Map::kColumns; ++column) {
      TileCode code = app.document().map().getTile(column, row);
      if (BITMAP* picture = app.tiles().picture(code)) {
        blit(picture, frame, 0, 0, column * 18, row * 20, 18, 20);
      } else {
        textprintf_ex(frame, font, column * 18 + 5, row * 20 + 8, white, -1, "%c", code);
      }
    }
  }
  for (int code = 0; code < 256; ++code) {
    int x = (code % 32) * 18;
    int y = 520 + (code / 32) * 20;
    textprintf_ex(frame, font, x + 4, y + 8, white, -1, "%c", code);
    if (BITMAP* picture = app.tiles().picture(static_cast<TileCode>(code))) {
      blit(picture, frame, 0, 0, x, y, 18, 20);
    }
  }
  // The path line, with the unsaved marker.
  std::string pathLine = app.document().path() + (app.document().isModified() ? "*" : "");
  textout_ex(frame, font, pathLine.c_str(), 5, 485, white, -1);
  textout_ex(frame, font, "WILDERNESS", 5, 495, white, -1);
  textout_ex(frame, font, "SELECTED TILE", 870, 25, white, -1);
  if (BITMAP* picture = app.tiles().picture(app.state().selectedTile)) {
    blit(picture, frame, 0, 0, 900, 35, 18, 20);
  } else {
    textprintf_ex(frame, font, 900, 35, white, -1, "%c", app.state().selectedTile);
  }
  textprintf_ex(frame, font, 940, 35, white, -1, "%i", app.state().selectedTile);
  textout_ex(frame, font, "TELEPORTS", 870, 90, white, -1);
  textout_ex(frame, font, "+", 980, 90, red, -1);
  int y = 100;
  for (const Teleport& teleport : app.document().map().teleports()) {
    textprintf_ex(frame, font, 870, y, white, -1, "%i,%i", teleport.x, teleport.y);
    textout_ex(frame, font, teleport.name, 920, y, white, -1);
    // No destination exists in the test's made-up folder: each gets a "?".
    textout_ex(frame, font, "?", 920 + text_length(font, teleport.name), y, makecol(255, 255, 0),
               -1);
    textout_ex(frame, font, "-", 980, y, red, -1);
    y += 10;
  }
  textout_ex(frame, font, "MAP POS  TILE", 870, 60, white, -1);
  textprintf_ex(frame, font, 880, 70, white, -1, "%i,%i", mouseX / 18 + 1, mouseY / 20 + 1);
  textprintf_ex(frame, font, 940, 70, white, -1, "%i", app.document().map().getTile(mouseX / 18,
                                                                              mouseY / 20));
  app.forms()->draw(frame);
}

std::string frameDifferences(BITMAP* got, BITMAP* want) {
  int differing = 0;
  std::string first;
  for (int y = 0; y < want->h; ++y) {
    for (int x = 0; x < want->w; ++x) {
      if (getpixel(got, x, y) == getpixel(want, x, y)) continue;
      if (differing++ == 0) first = "first at (" + std::to_string(x) + "," + std::to_string(y) + ")";
    }
  }
  return differing ? std::to_string(differing) + " pixels differ, " + first : "";
}

class ScreenIdentity : public ::testing::TestWithParam<int> {};

TEST_P(ScreenIdentity, APassDrawsTheSamePixelsAsThePlainDrawing) {
  struct Case {
    const char* name;
    std::vector<TilePicture> pictures;
    TileCode selected;
  };
  const Case cases[] = {
      {"no pictures: every code as its character", {}, 200},
      {"pictures of every size around the character", variedPictures(), '_'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HeadlessEditor editor(GetParam());
    EditorApp& app = editor.start(c.pictures);
    app.context().document.open("/maps/world/VEKAB.MAP");
    app.context().state.selectedTile = c.selected;
    // Every code in the map, and teleports at extreme places.
    for (int row = 0; row < Map::kRows; ++row)
      for (int column = 0; column < Map::kColumns; ++column)
        app.context().document.beginStep().setTile(column, row, static_cast<TileCode>(row * 48 + column));
    for (int i = 0; i < 20; ++i) {
      app.context().document.beginStep().addTeleport(i * 3 - 1, i == 19 ? -2147483647 - 1 : i * 1000,
                                 ("T" + std::to_string(i)).c_str());
    }
    for (int pass = 0; pass < 2; ++pass) {  // the second with every character known
      ASSERT_TRUE(editor.pass(400, 200));
      test::BitmapPtr expected(create_bitmap(1000, 700));
      drawReferenceFrame(expected.get(), app, 400, 200);
      EXPECT_EQ(frameDifferences(editor.frame(), expected.get()), "");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, ScreenIdentity, ::testing::Values(16, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param) + "bpp";
                         });

}  // namespace
}  // namespace vek
