// The world map view: its picture against golden pictures, the readout,
// clicks, G and Ctrl + arrows, and when the stored picture is redrawn.
#include <allegro.h>
#include <gtest/gtest.h>

#include "app/world_picture_cache.h"
#include "app_test_support.h"
#include "golden_image.h"
#include "map/world.h"

namespace vek {
namespace {

using test::Colour;
using test::HeadlessEditor;
using test::TilePicture;

// Pictures whose pixel (5, 5) differs from the rest; 'q' is too small to
// have it, 'r' just large enough; 'x' and 0 have none.
std::vector<TilePicture> worldPictures() {
  return {{'w', {255, 0, 255}, 18, 20, Colour{0, 255, 255}},
          {'T', {255, 0, 255}, 18, 20, Colour{0, 255, 0}},
          {'M', {10, 20, 30}, 30, 30, Colour{200, 100, 50}},
          {'k', {255, 255, 0}, 6, 6, Colour{0, 0, 255}},
          {'q', {255, 0, 255}, 5, 5, Colour{255, 255, 0}},
          {'r', {255, 0, 255}, 6, 6, Colour{255, 255, 255}}};
}

// Whole maps of one code, an interior (23 rows), a map of codes in turn,
// and blocks without a file.
void writeWorld(const std::string& folder) {
  const std::pair<const char*, TileCode> filled[] = {
      {"VEKAA.MAP", 'w'}, {"VEKBA.MAP", 'T'}, {"VEKJJ.MAP", 'M'}, {"VEKTT.MAP", 'k'},
      {"VEKCD.MAP", 'x'}, {"VEKEA.MAP", 'q'}, {"VEKFA.MAP", 'r'}};
  for (auto [name, code] : filled) test::writeFilledMap(folder + name, code);
  test::writeFilledMap(folder + "VEKGA.MAP", 'T', MapKind::Interior);
  Map mixed;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column)
      mixed.setTile(column, row, static_cast<TileCode>("wTMk x"[(row + column) % 6]));
  ASSERT_TRUE(mixed.save((folder + "VEKDC.MAP").c_str()));
}

class WorldView : public ::testing::TestWithParam<int> {
 protected:
  WorldView() : editor(GetParam()) {
    folder = editor.dir.path() + "/";
    app = &editor.start(worldPictures());
    writeWorld(folder);
    app->context().document.open(folder + "VEKCB.MAP");  // framed, though it has no file
  }
  void viewWorldMap() {
    editor.click(700, 525);  // VIEW WORLD MAP
    ASSERT_EQ(app->state().mode, EditorMode::WorldView);
    editor.pass(995, 695);
  }
  void pressKeys(std::initializer_list<int> keys) {
    for (int code : keys) key[code] = 1;
    editor.pass(995, 695);
    for (int code : keys) key[code] = 0;
    editor.pass(995, 695);
  }
  int colourAt(int x, int y) { return getpixel(editor.frame(), x, y); }

  HeadlessEditor editor;
  EditorApp* app;
  std::string folder;
};

TEST_P(WorldView, ThePictureMatchesItsGoldenPictureWithAndWithoutLines) {
  viewWorldMap();
  // The picture's area only: the path line names the test's own folder.
  test::BitmapPtr picture(create_sub_bitmap(editor.frame(), 0, 0, 864, 480));
  for (const char* golden : {"world-view", "world-view-no-lines"}) {
    editor.pass(100, 30);
    editor.pass(100, 30);  // copied from the stored picture
    EXPECT_EQ(test::goldenDifferences(picture.get(), golden), "");
    pressKeys({KEY_G});  // G toggles the lines
  }
}

TEST_P(WorldView, TheReadoutNamesTheMapAndTileUnderTheMouse) {
  viewWorldMap();
  struct Case {
    int x, y;
    const char* name;
    const char* code;
  };
  const Case cases[] = {
      {863, 0, "VEKTA", "0"},     {1, 479, "VEKAT", "0"},   {863, 479, "VEKTT", "107"},
      {821, 456, "VEKTT", "107"},  // grid column 912: the block's first
      {820, 456, "VEKST", "0"},   {100, 23, "VEKCA", "0"},  {100, 24, "VEKCB", "0"},
      {10, 10, "VEKAA", "119"},
  };
  for (const Case& c : cases) {
    editor.pass(c.x, c.y);
    EXPECT_EQ(test::textDifferences(editor.frame(), 880, 70, c.name, test::white()), "") << c.name;
    EXPECT_EQ(test::textDifferences(editor.frame(), 940, 70, c.code, test::white()), "") << c.name;
  }
  editor.pass(0, 100);
  EXPECT_TRUE(test::allPixels(editor.frame(), 870, 69, 130, 10, 0));
}

TEST_P(WorldView, AClickOpensTheMapUnderTheMouseInEdit) {
  struct Case {
    int x, y;
    const char* name;
    TileCode code;  // of every cell
  };
  for (Case c : {Case{10, 10, "VEKAA.MAP", 'w'}, {300, 100, "VEKGE.MAP", 0}}) {
    app->context().document.open(folder + "HOME.MAP");
    app->context().document.beginStep().addTeleport(4, 4, "CELLAR");
    viewWorldMap();
    editor.click(c.x, c.y);
    EXPECT_EQ(app->state().mode, EditorMode::Edit);
    EXPECT_EQ(app->document().path(), folder + c.name);
    EXPECT_EQ(app->document().map().kind, MapKind::Wilderness);
    EXPECT_EQ(app->document().map().teleportCount(), 0);
    EXPECT_EQ(app->document().map().getTile(c.x / 18, c.y / 20), c.code) << "nothing painted";
  }
}

TEST_P(WorldView, ThePictureIsRedrawnOnlyWhenTheWorldOrThePicturesChange) {
  viewWorldMap();
  const int water = makecol(0, 255, 255), red = makecol(255, 0, 0);
  ASSERT_EQ(colourAt(10, 10), water);
  // Neither a file nor a picture changed behind the editor's back is seen:
  // the passes copy the stored picture.
  test::writeFilledMap(folder + "VEKAA.MAP", 'T');
  putpixel(app->tiles().picture('w'), 5, 5, red);
  editor.pass(995, 695);
  EXPECT_EQ(colourAt(10, 10), water);
  viewWorldMap();  // VIEW WORLD MAP reads the world again
  EXPECT_EQ(colourAt(10, 10), makecol(0, 255, 0));
  test::writeFilledMap(folder + "VEKAA.MAP", 'w');
  viewWorldMap();
  EXPECT_EQ(colourAt(10, 10), red);
  app->loadTilePictures();  // the archive's own colours come back
  editor.pass(995, 695);
  EXPECT_EQ(colourAt(10, 10), water);
}

TEST_P(WorldView, ControlAndAnArrowOpenTheNeighbouringWildernessMapInEdit) {
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
    app->context().document.open(folder + c.from);
    pressKeys({KEY_LCONTROL, c.arrow});
    EXPECT_EQ(app->document().path(), folder + c.to) << c.from;
  }
  app->context().document.open(folder + "VEKAA.MAP");
  pressKeys({KEY_RCONTROL, KEY_DOWN});
  EXPECT_EQ(app->document().map().getTile(3, 3), 'w');
  pressKeys({KEY_DOWN});  // no Ctrl: the arrow alone does nothing
  EXPECT_EQ(app->document().path(), folder + "VEKAB.MAP");
}

// The file does not depend on the screen's depth: one depth is enough.
class WorldExport : public WorldView {};

TEST_P(WorldExport, ExportPictureWritesTheTilePictureOfTheWorldOnlyFromTheView) {
  std::string path = folder + "WORLD.png";
  editor.click(900, 525);  // in Edit the button is hidden
  EXPECT_TRUE(editor.messages.shown.empty());
  viewWorldMap();
  editor.files.cancelNext();
  editor.click(900, 525);  // a cancelled save dialog writes nothing
  EXPECT_TRUE(editor.messages.shown.empty());
  EXPECT_TRUE(test::readFileBytes(path).empty());
  editor.files.answer(path);
  editor.click(900, 525);
  ASSERT_EQ(editor.messages.shown,
            std::vector<std::string>{"The world picture was written to " + path});
  // The PNG header's width and height, big-endian: 17,280 x 9,600.
  EXPECT_EQ(test::readFileBytes(path).substr(16, 8), std::string("\0\0\x43\x80\0\0\x25\x80", 8));
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldView, ::testing::Values(32, 16),
                         test::depthName);
INSTANTIATE_TEST_SUITE_P(Depth, WorldExport, ::testing::Values(32));

TEST(WorldPictureCache, ATargetOfAnotherDepthGetsThePictureDrawnAgainInItsDepth) {
  WorldPictureCache cache;
  test::TempDir dir;
  World world(dir.path() + "/");
  TileSet noPictures;
  for (int y = 0; y < World::kRows; ++y) world.setCell(y, y, 7);
  for (int depth : {16, 32, 16}) {
    test::useColorDepth(depth);
    test::BitmapPtr target(create_bitmap(1000, 700));
    clear_to_color(target.get(), makecol(255, 255, 255));
    cache.draw(target.get(), world, noPictures);
    EXPECT_TRUE(test::allPixels(target.get(), 0, 0, 864, 480, 0)) << depth;
    // Only the picture's area is written.
    EXPECT_EQ(test::countPixels(target.get(), 0, 0, 1000, 700, makecol(255, 255, 255)),
              1000 * 700 - 864 * 480) << depth;
  }
}

}  // namespace
}  // namespace vek
