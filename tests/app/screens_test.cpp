// Whole screens against golden pictures (tests/golden/*.png): the editor with its kind line and
// readout, the world map view with its readout, clicks, keys and redrawing; the world picture file.
#include <cstring>

#include "app/world_picture.h"
#include "app/world_picture_cache.h"
#include "app_test_support.h"
#include "golden_image.h"
#include "resources/png_reader.h"
#include "resources/tile_set.h"
#include "resources/world_picture_file.h"

namespace vek {
namespace {

using test::HeadlessEditor, test::TilePicture;
const auto depthName = ::testing::PrintToStringParamName();  // "32": the golden update's filter

// Pictures of every size around a cell and around a palette cell's character (8 x 8, 4 pixels
// in, 8 down): as large, smaller, larger, one pixel short of hiding the character each way.
const std::vector<TilePicture> kVariedPictures{
    {200, {0, 255, 0}},         {201, {255, 0, 255}, 10, 12}, {202, {0, 0, 255}, 30, 30},
    {250, {255, 255, 0}},       {'A', {0, 255, 0}},           {'B', {255, 0, 255}, 12, 16},
    {'_', {0, 0, 255}, 11, 16}, {169, {255, 255, 0}, 12, 15}, {174, {255, 255, 0}, 12, 16},
    {'E', {0, 255, 255}, 5, 5}, {0, {90, 90, 90}, 3, 3},      {255, {30, 30, 200}, 40, 12}};

// A local map with 80 more teleports, the list scrolled to its end, cells (2, 2) to (4, 4)
// copied, the copy's preview at the mouse, a teleport waiting for its cell, and the help.
void useTheTools(EditorApp& app) {
  MapDocument& document = app.context().document;
  EditorState& state = app.context().state;
  document.apply([](Map& map) {
    map.kind = MapKind::Local;
    for (int i = 0; i < 80; ++i)
      map.addTeleport(i % 48 + 1, i / 48 + 3, ("T" + std::to_string(i)).c_str());
  });
  state.tools.choose(Tool::Select, document);
  state.tools.press(document, {2, 2}, 0, false);
  state.tools.drag(document, {4, 4}, true, 0);
  state.tools.release(document, 0);
  state.tools.copySelection(document.map());
  state.tools.startPaste();
  state.teleportList.scroll(100, document.map().teleportCount(), 700);
  state.mode = EditorMode::PlaceTeleport;
  std::strcpy(state.teleportDestination, "CAVE");
  state.help.show();
}

class EditorScreen : public ::testing::TestWithParam<int> {};

TEST_P(EditorScreen, ScreensMatchTheirGoldenPicturesAndFollowTheMapAndTheMouse) {
  // The tile pictures (none: no data.dat, every code its character), the
  // selected tile (-1: as started, 250), the mouse, the tools in use.
  for (auto [golden, pictures, selected, mouseX, mouseY, tools] :
       {std::tuple{"editor-pictures", kVariedPictures, 202, 37, 45, false},
        {"editor-characters", {}, -1, 930, 105, false},  // on TOWN1's row
        {"editor-tools", kVariedPictures, -1, 845, 445, true}}) {
    SCOPED_TRACE(golden);
    HeadlessEditor editor(GetParam());
    editor.start(pictures);
    editor.document().open("/maps/world/VEKAB.MAP");  // no file there: an empty map
    if (selected >= 0) editor.state().selectedTile = static_cast<TileCode>(selected);
    // Every code in the map, and teleports at extreme places.
    Map& map = editor.document().beginStep();
    for (int row = 0; row < Map::kRows; ++row)
      for (int column = 0; column < Map::kColumns; ++column)
        map.setTile(column, row, static_cast<TileCode>(row * 48 + column));
    map.addTeleport(5, 8, "TOWN1");
    map.addTeleport(-1, 48, std::string(40, 'L').c_str());
    map.addTeleport(2147483647, -2147483647 - 1, "EXTREME");
    editor.document().endStep();
    if (tools) useTheTools(*editor.app);
    for (int pass = 0; pass < 2; ++pass) {  // the second with every character known
      ASSERT_TRUE(editor.pass(mouseX, mouseY));
      EXPECT_EQ(test::goldenDifferences(editor.frame(), golden), "") << "pass " << pass;
    }
    EXPECT_EQ(test::imageDifferences(screen, editor.frame()), "") << "the frame reaches the screen";
  }
  // The kind line and the readout; the map area leaves out its leftmost pixel column.
  HeadlessEditor editor(GetParam());
  editor.start();
  for (auto [kind, label] : {std::pair{2, "LOCAL"}, {4, "INTERIOR"}, {3, ""}, {0, ""},
                             {1, "WILDERNESS"}}) {
    editor.document().beginStep().kind = static_cast<MapKind>(kind);
    editor.pass(995, 695);
    EXPECT_TRUE(*label ? editor.shows(5, 495, label)
                       : test::allPixels(editor.frame(), 0, 494, 200, 10, 0)) << kind;
  }
  editor.document().beginStep().setTile(2, 2, 77);
  editor.document().beginStep().setTile(47, 23, 9);
  for (auto [x, y, position, code] :  // position "": no readout
       {std::tuple{37, 45, "3,3", "77"}, {1, 0, "1,1", "0"}, {863, 479, "48,24", "9"},
        {0, 45, "", ""}, {864, 45, "", ""}, {37, 480, "", ""}}) {
    editor.pass(x, y);
    bool shown = *position ? editor.shows(880, 70, position) && editor.shows(940, 70, code)
                           : test::allPixels(editor.frame(), 870, 69, 130, 10, 0);
    EXPECT_TRUE(shown) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, EditorScreen, ::testing::Values(32, 24, 16), depthName);

class WorldView : public ::testing::TestWithParam<int> {
 protected:
  // Pictures whose pixel (5, 5) differs ('q' is too small to have it, 'r'
  // just large enough; 'x' and 0 have none); maps of one code, an interior
  // (23 rows), a map of codes in turn, blocks without a file.
  WorldView() : editor(GetParam()) {
    folder = editor.dir.path() + "/";
    editor.start({{'w', {255, 0, 255}, 18, 20, Rgb{0, 255, 255}},
                  {'T', {255, 0, 255}, 18, 20, Rgb{0, 255, 0}},
                  {'M', {10, 20, 30}, 30, 30, Rgb{200, 100, 50}},
                  {'k', {255, 255, 0}, 6, 6, Rgb{0, 0, 255}},
                  {'q', {255, 0, 255}, 5, 5, Rgb{255, 255, 0}},
                  {'r', {255, 0, 255}, 6, 6, Rgb{255, 255, 255}}});
    for (auto [name, code] : {std::pair{"VEKAA.MAP", 'w'}, {"VEKBA.MAP", 'T'}, {"VEKJJ.MAP", 'M'},
                              {"VEKTT.MAP", 'k'}, {"VEKCD.MAP", 'x'}, {"VEKEA.MAP", 'q'},
                              {"VEKFA.MAP", 'r'}})
      test::writeFilledMap(folder + name, code);
    test::writeFilledMap(folder + "VEKGA.MAP", 'T', MapKind::Interior);
    Map mixed;
    for (int row = 0; row < Map::kRows; ++row)
      for (int column = 0; column < Map::kColumns; ++column)
        mixed.setTile(column, row, static_cast<TileCode>("wTMk x"[(row + column) % 6]));
    EXPECT_TRUE(mixed.save((folder + "VEKDC.MAP").c_str()));
    editor.document().open(folder + "VEKCB.MAP");  // framed, though it has no file
  }
  void viewWorldMap() {
    editor.click(700, 525);  // VIEW WORLD MAP
    ASSERT_EQ(editor.state().mode, EditorMode::WorldView);
    editor.pass(995, 695);
  }
  void pressKeys(std::initializer_list<int> keys) {
    for (int code : keys) key[code] = 1;
    editor.pass(995, 695);
    for (int code : keys) key[code] = 0;
    editor.pass(995, 695);
  }

  test::HeadlessEditor editor;
  std::string folder;
};

TEST_P(WorldView, TheReadoutNamesTheMapAndTileUnderTheMouseAndAClickOpensTheMap) {
  viewWorldMap();
  // (821, 456) shows grid column 912, the block's first.
  for (auto [x, y, name, code] :
       {std::tuple{863, 0, "VEKTA", "0"}, {1, 479, "VEKAT", "0"}, {863, 479, "VEKTT", "107"},
        {821, 456, "VEKTT", "107"}, {820, 456, "VEKST", "0"}, {100, 23, "VEKCA", "0"},
        {100, 24, "VEKCB", "0"}, {10, 10, "VEKAA", "119"}}) {
    editor.pass(x, y);
    EXPECT_TRUE(editor.shows(880, 70, name) && editor.shows(940, 70, code)) << x << "," << y;
  }
  editor.pass(0, 100);
  EXPECT_TRUE(test::allPixels(editor.frame(), 870, 69, 130, 10, 0));
  // A click opens the map under the mouse, a new one as a wilderness map.
  for (auto [x, y, name, code] :
       {std::tuple{10, 10, "VEKAA.MAP", 'w'}, {300, 100, "VEKGE.MAP", '\0'}}) {
    editor.document().open(folder + "HOME.MAP");
    editor.document().beginStep().addTeleport(4, 4, "CELLAR");
    viewWorldMap();
    editor.click(x, y);
    EXPECT_EQ(editor.state().mode, EditorMode::Edit);
    EXPECT_EQ(editor.document().path(), folder + name);
    EXPECT_EQ(editor.map().kind, MapKind::Wilderness);
    EXPECT_EQ(editor.map().teleportCount(), 0);
    EXPECT_EQ(editor.map().getTile(x / 18, y / 20), code) << "nothing painted";
  }
  // Control and an arrow open the neighbouring wilderness map in Edit.
  test::writeFilledMap(folder + "VEKAB.MAP", 'w');
  const int ctrl = KEY_LCONTROL;
  // Not past the world's edge, not from a map outside the world, not without Ctrl.
  for (auto [from, control, arrow, to] :
       {std::tuple{"AB", ctrl, KEY_RIGHT, "BB"}, {"BB", ctrl, KEY_UP, "BA"},
        {"BA", ctrl, KEY_LEFT, "AA"}, {"AA", ctrl, KEY_LEFT, "AA"}, {"TT", ctrl, KEY_DOWN, "TT"},
        {"START", ctrl, KEY_DOWN, "START"}, {"AA", KEY_LSHIFT, KEY_DOWN, "AA"},
        {"AA", KEY_RCONTROL, KEY_DOWN, "AB"}}) {
    editor.document().open(folder + "VEK" + from + ".MAP");
    pressKeys({control, arrow});
    EXPECT_EQ(editor.document().path(), folder + "VEK" + to + ".MAP") << from;
  }
  EXPECT_EQ(editor.map().getTile(3, 3), 'w');
}

// The passes copy the stored picture: a file or a picture changed behind the editor's back is
// seen once VIEW WORLD MAP reads the world again or the pictures are loaded again.
TEST_P(WorldView, ThePictureMatchesItsGoldensAndIsRedrawnOnlyWhenTheWorldOrThePicturesChange) {
  viewWorldMap();
  // The picture's area only: the path line names the test's own folder.
  test::BitmapPtr picture(create_sub_bitmap(editor.frame(), 0, 0, 864, 480));
  for (const char* golden : {"world-view", "world-view-no-lines"}) {
    editor.pass(100, 30);
    editor.pass(100, 30);  // copied from the stored picture
    EXPECT_EQ(test::goldenDifferences(picture.get(), golden), "");
    pressKeys({KEY_G});  // G toggles the lines
  }
  const int water = makecol(0, 255, 255), red = makecol(255, 0, 0);
  test::writeFilledMap(folder + "VEKAA.MAP", 'T');
  putpixel(editor.app->tiles().picture('w'), 5, 5, red);
  editor.pass(995, 695);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), water);
  viewWorldMap();
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), makecol(0, 255, 0));
  test::writeFilledMap(folder + "VEKAA.MAP", 'w');
  viewWorldMap();
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), red);
  editor.app->loadTilePictures();
  editor.pass(995, 695);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), water);
}

class WorldPictureFile : public WorldView {};  // at one depth: files do not depend on it

// EXPORT PICTURE writes the world at tile scale, only from the view.
TEST_P(WorldPictureFile, ExportPictureWritesTheWorldAsTheViewAndTheTilesShowIt) {
  std::string path = folder + "WORLD.png";
  editor.click(900, 525);  // in Edit the button is hidden
  viewWorldMap();
  editor.files.cancelNext();
  editor.click(900, 525);  // a cancelled save dialog writes nothing
  EXPECT_TRUE(test::readFileBytes(path).empty());
  editor.files.answer(path);
  editor.click(900, 525);
  ASSERT_EQ(editor.messages.shown,
            std::vector<std::string>{"The world picture was written to " + path});
  // The PNG header's width and height, big-endian: 17,280 x 9,600.
  EXPECT_EQ(test::readFileBytes(path).substr(16, 8), std::string("\0\0\x43\x80\0\0\x25\x80", 8));
  // Cell scale: the view's picture, a pixel a cell.
  const World& world = editor.app->world();
  test::BitmapPtr view = test::blankBitmap(864, 480);
  drawWorldPicture(view.get(), world, editor.app->tiles());
  TilePictures tiles;
  tiles.load(*openTileArchive(editor.file("data.dat").c_str()));
  std::string reason;
  ASSERT_TRUE(writeWorldPicture(world, tiles, {WorldPictureScale::Cell}, path, reason)) << reason;
  std::string bytes = test::readFileBytes(path);
  RgbaImage png;
  ASSERT_TRUE(readPng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 1000,
                      png, reason)) << reason;
  ASSERT_EQ(png.width * 1000 + png.height, 960 * 1000 + 480);
  int differing = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 864; ++x) {
      const std::uint8_t* p = &png.rgba[(y * 960 + worldGridColumnAt(x)) * 4];
      differing += makecol(p[0], p[1], p[2]) != getpixel(view.get(), x, y);
    }
  EXPECT_EQ(differing, 0);
  // Tile scale, with the lines: each cell's picture cut to the cell.
  WorldPictureBand band(tiles, {WorldPictureScale::Tile, true});
  ASSERT_EQ(band.width() * 100 + band.rows(), 17280 * 100 + 20);
  // The cell, the pixel in it, its colour: 'w'; a line and 'T'; 'M' cut to
  // the cell; 'k', 6 x 6; 'x' without a picture; 'q', 5 x 5.
  for (auto [cellX, cellY, x, y, colour] :
       {std::tuple{0, 0, 0, 0, Rgb{255, 0, 255}}, {0, 0, 5, 5, {0, 255, 255}},
        {48, 0, 0, 5, {96, 96, 96}}, {48, 0, 5, 5, {0, 255, 0}}, {432, 216, 5, 0, {96, 96, 96}},
        {432, 216, 17, 19, {10, 20, 30}}, {432, 217, 5, 5, {200, 100, 50}},
        {959, 479, 5, 5, {0, 0, 255}}, {959, 479, 6, 6, {0, 0, 0}}, {100, 80, 5, 5, {0, 0, 0}},
        {193, 0, 4, 4, {255, 0, 255}}, {193, 0, 5, 5, {0, 0, 0}}}) {
    band.draw(world, cellY);
    const std::uint8_t* rgb = band.data() + (y * band.width() + cellX * 18 + x) * 3;
    EXPECT_EQ((Rgb{rgb[0], rgb[1], rgb[2]}), colour) << cellX << "," << cellY;
  }
  // The view's cache draws the picture again for a target of another depth, and only its area.
  WorldPictureCache cache;
  World nowhere("/nowhere/");
  TileSet noPictures;
  for (int depth : {16, 32, 16}) {
    test::useColorDepth(depth);
    test::BitmapPtr target(create_bitmap(1000, 700));
    clear_to_color(target.get(), makecol(255, 255, 255));
    cache.draw(target.get(), nowhere, noPictures);
    EXPECT_EQ(test::countPixels(target.get(), 0, 0, 1000, 700, 0), 864 * 480) << depth;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldView, ::testing::Values(32, 16), depthName);
INSTANTIATE_TEST_SUITE_P(Depth, WorldPictureFile, ::testing::Values(32), depthName);

}  // namespace
}  // namespace vek
