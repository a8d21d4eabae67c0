// The world map view: the world read from a folder's wilderness maps, the
// picture sampled at pixel (5, 5) of each tile picture, the readout, and a
// click that opens the map under the mouse.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>

#include "map/world.h"
#include "app/world_picture.h"
#include "app_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

using test::Colour;
using test::HeadlessEditor;
using test::TilePicture;

constexpr Colour kWater{0, 255, 255};   // pixel (5, 5) of tile 'w'
constexpr Colour kForest{0, 255, 0};    // pixel (5, 5) of tile 'T'
constexpr Colour kBody{255, 0, 255};    // the rest of every picture

std::vector<TilePicture> worldPictures() {
  return {
      {'w', kBody, 18, 20, kWater},
      {'T', kBody, 18, 20, kForest},
      {'q', kBody, 5, 5, Colour{255, 255, 0}},  // too small to have (5, 5)
      {'r', kBody, 6, 6, Colour{255, 255, 255}},  // just large enough
  };
}

class WorldView : public ::testing::Test {
 protected:
  WorldView() {
    folder = editor.dir.path() + "/";
    app = &editor.start(worldPictures());
    // The picture alone: no lines between the maps, and a current map
    // that is no wilderness map, so no frame.
    app->context().document.open((folder + "START.MAP").c_str());
    app->context().state.worldGridLines = false;
  }
  void pressKeys(std::initializer_list<int> keys) {
    for (int code : keys) key[code] = 1;
    editor.pass(995, 695);
    for (int code : keys) key[code] = 0;
    editor.pass(995, 695);
  }

  void viewWorldMap() {
    editor.click(700, 525);  // VIEW WORLD MAP
    ASSERT_EQ(app->state().mode, EditorMode::WorldView);
    editor.pass(995, 695);
  }
  int colourAt(int x, int y) { return getpixel(editor.frame(), x, y); }

  HeadlessEditor editor;
  EditorApp* app;
  std::string folder;
};

TEST_F(WorldView, AFolderWithoutWildernessMapsIsAllBlackAndStillNamesEachBlock) {
  viewWorldMap();
  EXPECT_TRUE(test::allPixels(editor.frame(), 0, 0, 864, 480, 0));
  editor.pass(100, 30);
  EXPECT_EQ(test::textDifferences(editor.frame(), 880, 70, "VEKCB", test::white()), "");
  EXPECT_EQ(test::textDifferences(editor.frame(), 940, 70, "0", test::white()), "");
}

TEST_F(WorldView, OneWildernessMapShowsAsOneBlockAtItsPlace) {
  test::writeFilledMap(folder + "VEKCB.MAP", 'w');
  viewWorldMap();
  // World column 2 is grid columns 96..143, shown at x 87..129; row 1 is
  // y 24..47.
  int water = editor.colour(kWater);
  EXPECT_TRUE(test::allPixels(editor.frame(), 87, 24, 43, 24, water));
  EXPECT_EQ(test::countPixels(editor.frame(), 0, 0, 864, 480, water), 43 * 24);
  EXPECT_EQ(test::countPixels(editor.frame(), 0, 0, 864, 480, 0), 864 * 480 - 43 * 24);
}

TEST_F(WorldView, PicturesTooSmallForTheSamplePixelShowBlack) {
  test::writeFilledMap(folder + "VEKAA.MAP", 'q');  // 5 x 5
  test::writeFilledMap(folder + "VEKBA.MAP", 'r');  // 6 x 6
  viewWorldMap();
  EXPECT_TRUE(test::allPixels(editor.frame(), 0, 0, 43, 24, 0));
  EXPECT_TRUE(test::allPixels(editor.frame(), 44, 0, 43, 24, test::white()));
  EXPECT_EQ(worldSampleColour(nullptr), 0);
}

TEST_F(WorldView, ReadoutNamesTheLastColumnAndRowAtTheEdges) {
  test::writeFilledMap(folder + "VEKTT.MAP", 'k');
  viewWorldMap();
  struct Case {
    int x, y;
    const char* name;
    const char* code;
  };
  const Case cases[] = {
      {863, 0, "VEKTA", "0"},
      {1, 479, "VEKAT", "0"},
      {863, 479, "VEKTT", "107"},
      {821, 456, "VEKTT", "107"},  // grid column 912: the block's first
      {820, 456, "VEKST", "0"},
      {100, 23, "VEKCA", "0"},
      {100, 24, "VEKCB", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.pass(c.x, c.y);
    EXPECT_EQ(test::textDifferences(editor.frame(), 880, 70, c.name, test::white()), "");
    EXPECT_EQ(test::textDifferences(editor.frame(), 940, 70, c.code, test::white()), "");
  }
  editor.pass(0, 100);
  EXPECT_TRUE(test::allPixels(editor.frame(), 870, 69, 130, 10, 0));
}

TEST_F(WorldView, AClickOpensTheMapUnderTheMouseAndReturnsToEdit) {
  test::writeFilledMap(folder + "VEKCB.MAP", 'w');
  viewWorldMap();
  editor.click(100, 30);
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
  EXPECT_EQ(app->document().path(), folder + "VEKCB.MAP");
  EXPECT_EQ(app->document().map().getTile(20, 10), 'w');
  // The click only opened the map: nothing was painted.
  EXPECT_EQ(app->document().map().getTile(100 / 18, 30 / 20), 'w');
}

TEST_F(WorldView, AClickOnAMissingMapNamesItAndStartsANewWildernessMap) {
  test::writeFilledMap(folder + "HOME.MAP", 'h', MapKind::Local);
  app->context().document.open((folder + "HOME.MAP").c_str());
  app->context().document.beginStep().addTeleport(4, 4, "CELLAR");
  viewWorldMap();
  editor.click(300, 100);  // grid column 333: world column 6 (G), row 4 (E)
  EXPECT_EQ(app->state().mode, EditorMode::Edit);
  EXPECT_EQ(app->document().path(), folder + "VEKGE.MAP");
  EXPECT_EQ(app->document().map().getTile(0, 0), 0);
  EXPECT_EQ(app->document().map().kind, MapKind::Wilderness);
  EXPECT_EQ(app->document().map().teleportCount(), 0);
}

TEST_F(WorldView, ThePictureIsASnapshotUntilViewWorldMapIsPressedAgain) {
  test::writeFilledMap(folder + "VEKAA.MAP", 'w');
  viewWorldMap();
  int water = editor.colour(kWater);
  int forest = editor.colour(kForest);
  EXPECT_EQ(colourAt(10, 10), water);
  test::writeFilledMap(folder + "VEKAA.MAP", 'T');
  editor.pass(995, 695);
  EXPECT_EQ(colourAt(10, 10), water);
  viewWorldMap();
  EXPECT_EQ(colourAt(10, 10), forest);
}

TEST(WorldPicture, SkipsOneGridColumnInTenAndShowsEachRowOnce) {
  test::useColorDepth(32);
  test::TempDir dir;
  std::string archivePath = dir.file("data.dat");
  test::writeTileArchive(archivePath, worldPictures());
  auto archive = openTileArchive(archivePath.c_str());
  TileSet tiles;
  ASSERT_EQ(tiles.load(*archive), 4);
  World grid(dir.path() + "/");
  for (int y = 0; y < 480; ++y) {
    grid.setCell(9, y, 'w');   // never shown
    grid.setCell(10, y, 'T');  // shown at x = 9
  }
  test::BitmapPtr target(create_bitmap(1000, 700));
  clear_bitmap(target.get());
  drawWorldPicture(target.get(), grid, tiles);
  int forest = makecol(0, 255, 0);
  EXPECT_EQ(test::countPixels(target.get(), 0, 0, 1000, 700, makecol(0, 255, 255)), 0);
  EXPECT_TRUE(test::allPixels(target.get(), 9, 0, 1, 480, forest));
  EXPECT_EQ(test::countPixels(target.get(), 0, 0, 1000, 700, forest), 480);
}

TEST_F(WorldView, LinesPartTheMapsGTogglesThemAndTheCurrentMapIsFramed) {
  app->context().document.open((folder + "VEKCB.MAP").c_str());
  app->context().state.worldGridLines = true;
  viewWorldMap();
  int grey = makecol(96, 96, 96);
  int yellow = makecol(255, 255, 0);
  // Map columns start at x 0, 44, 87, 130, ...; rows every 24 pixels.
  EXPECT_TRUE(test::allPixels(editor.frame(), 44, 0, 1, 24, grey));
  EXPECT_TRUE(test::allPixels(editor.frame(), 0, 456, 87, 1, grey));
  EXPECT_TRUE(test::allPixels(editor.frame(), 1, 1, 43, 23, 0));
  // VEKCB: x 87..129, y 24..47.
  EXPECT_TRUE(test::allPixels(editor.frame(), 87, 24, 43, 1, yellow));
  EXPECT_TRUE(test::allPixels(editor.frame(), 129, 24, 1, 24, yellow));
  EXPECT_EQ(test::countPixels(editor.frame(), 0, 0, 864, 480, yellow), 2 * 43 + 2 * 22);
  pressKeys({KEY_G});
  EXPECT_EQ(test::countPixels(editor.frame(), 0, 0, 864, 480, grey), 0);
  pressKeys({KEY_G});
  EXPECT_TRUE(test::allPixels(editor.frame(), 44, 0, 1, 24, grey));
}

TEST_F(WorldView, ControlAndAnArrowOpenTheNeighbouringWildernessMapInEdit) {
  test::writeFilledMap(folder + "VEKAB.MAP", 'w');
  struct Case {
    const char* from;
    int arrow;
    const char* to;
  } cases[] = {
      {"VEKAA.MAP", KEY_DOWN, "VEKAB.MAP"}, {"VEKAB.MAP", KEY_RIGHT, "VEKBB.MAP"},
      {"VEKBB.MAP", KEY_UP, "VEKBA.MAP"},   {"VEKBA.MAP", KEY_LEFT, "VEKAA.MAP"},
      {"VEKAA.MAP", KEY_LEFT, "VEKAA.MAP"},  // the world's edge
      {"VEKTT.MAP", KEY_DOWN, "VEKTT.MAP"},  {"START.MAP", KEY_DOWN, "START.MAP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    app->context().document.open((folder + c.from).c_str());
    pressKeys({KEY_LCONTROL, c.arrow});
    EXPECT_EQ(app->document().path(), folder + c.to);
  }
  app->context().document.open((folder + "VEKAA.MAP").c_str());
  pressKeys({KEY_RCONTROL, KEY_DOWN});
  EXPECT_EQ(app->document().map().getTile(3, 3), 'w');
  pressKeys({KEY_DOWN});  // no Ctrl: the arrow alone does nothing
  EXPECT_EQ(app->document().path(), folder + "VEKAB.MAP");
}

}  // namespace
}  // namespace vek
