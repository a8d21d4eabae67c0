// The world picture as a pass shows it, copied from the editor's stored
// picture, against the direct pixel-by-pixel rendering: the same pixels with
// pictures, without any, and with pictures too small for the sample pixel;
// and the stored picture drawn again when the grid, the tile pictures or
// the depth change, and only then.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "map/world.h"
#include "app/world_picture.h"
#include "app/world_picture_cache.h"
#include "app/world_view.h"
#include "app_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

using test::Colour;
using test::HeadlessEditor;
using test::TilePicture;

constexpr int kPictureWidth = 864;
constexpr int kPictureHeight = 480;

// Where the picture at the top-left of a differs from that of b.
std::string pictureDifferences(BITMAP* a, BITMAP* b) {
  int differing = 0;
  std::string first;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      int got = getpixel(a, x, y);
      int want = getpixel(b, x, y);
      if (got == want) continue;
      if (differing++ == 0) {
        first = "first at (" + std::to_string(x) + "," + std::to_string(y) + "): " +
                std::to_string(got) + " instead of " + std::to_string(want);
      }
    }
  }
  return differing ? std::to_string(differing) + " pixels differ, " + first : "";
}

// The reference: the picture drawn pixel by pixel onto a black bitmap, with
// the lines between the maps and the frame of the current map over it.
test::BitmapPtr directPicture(const EditorApp& app) {
  test::BitmapPtr picture(create_bitmap(kPictureWidth, kPictureHeight));
  clear_bitmap(picture.get());
  drawWorldPicture(picture.get(), app.world(), app.tiles());
  drawWorldGridLines(picture.get());
  drawCurrentMapOutline(picture.get(), app.world(), app.document().path().c_str());
  return picture;
}

// Every code the maps below use: a few with pictures whose pixel (5, 5)
// differs from the rest, some without a picture.
std::vector<TilePicture> picturesWithSamples() {
  return {{'w', {255, 0, 255}, 18, 20, Colour{0, 255, 255}},
          {'T', {255, 0, 255}, 18, 20, Colour{0, 255, 0}},
          {'M', {10, 20, 30}, 30, 30, Colour{200, 100, 50}},
          {0, {255, 255, 255}, 18, 20, Colour{90, 90, 90}}};
}

std::vector<TilePicture> picturesTooSmall() {
  return {{'w', {255, 0, 255}, 5, 5, std::nullopt},
          {'T', {255, 0, 255}, 6, 5, std::nullopt},
          {'M', {255, 0, 255}, 5, 6, std::nullopt},
          {'k', {255, 255, 0}, 6, 6, Colour{0, 0, 255}}};
}

// A world of varied blocks: whole maps of one code, a map of every code in
// turn, and blocks left without a file.
void writeWorld(const std::string& folder) {
  test::writeFilledMap(folder + "VEKAA.MAP", 'w');
  test::writeFilledMap(folder + "VEKBA.MAP", 'T');
  test::writeFilledMap(folder + "VEKJJ.MAP", 'M');
  test::writeFilledMap(folder + "VEKTT.MAP", 'k');
  test::writeFilledMap(folder + "VEKCD.MAP", 'x');  // no picture in any set
  Map mixed;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column)
      mixed.setTile(column, row, static_cast<TileCode>("wTMk x"[(row + column) % 6]));
  ASSERT_TRUE(mixed.save((folder + "VEKDC.MAP").c_str()));
}

struct Case {
  const char* name;
  std::vector<TilePicture> pictures;  // empty: no data.dat
};

// The editor started with the pictures, shown the world of writeWorld.
EditorApp& startOnWorld(HeadlessEditor& editor, const std::vector<TilePicture>& pictures) {
  EditorApp& app = editor.start(pictures);
  std::string folder = editor.dir.path() + "/";
  writeWorld(folder);
  app.context().document.open((folder + "VEKAA.MAP").c_str());
  editor.click(700, 525);  // VIEW WORLD MAP
  EXPECT_EQ(app.state().mode, EditorMode::WorldView);
  return app;
}

using WorldPictureCacheTest = ::testing::TestWithParam<int>;

TEST_P(WorldPictureCacheTest, APassShowsTheSamePixelsAsTheDirectRendering) {
  const Case cases[] = {
      {"pictures", picturesWithSamples()},
      {"no pictures", {}},
      {"pictures smaller than 6 x 6", picturesTooSmall()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HeadlessEditor editor(GetParam());
    EditorApp& app = startOnWorld(editor, c.pictures);
    editor.pass(995, 695);
    editor.pass(400, 200);  // the second pass copies the stored picture
    test::BitmapPtr expected = directPicture(app);
    EXPECT_EQ(pictureDifferences(editor.frame(), expected.get()), "");
    // Not all black, except without pictures (the lines and the frame of
    // the current map aside).
    auto count = [&](int colour) {
      return test::countPixels(editor.frame(), 0, 0, kPictureWidth, kPictureHeight, colour);
    };
    int cells = kPictureWidth * kPictureHeight - count(makecol(96, 96, 96)) -
                count(makecol(255, 255, 0));
    if (c.pictures.empty()) {
      EXPECT_EQ(count(0), cells);
    } else {
      EXPECT_LT(count(0), cells);
    }
  }
}

TEST_P(WorldPictureCacheTest, TheStoredPictureIsDrawnAgainOnlyWhenTheGridOrThePicturesChange) {
  HeadlessEditor editor(GetParam());
  EditorApp& app = startOnWorld(editor, picturesWithSamples());
  std::string folder = editor.dir.path() + "/";
  editor.pass(995, 695);
  int water = makecol(0, 255, 255);
  ASSERT_EQ(getpixel(editor.frame(), 10, 10), water);

  // A pixel changed behind the editor's back is not seen: the passes copy
  // the stored picture instead of sampling the tiles again.
  BITMAP* waterPicture = app.tiles().picture('w');
  int red = makecol(255, 0, 0);
  putpixel(waterPicture, 5, 5, red);
  editor.pass(995, 695);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), water);

  // VIEW WORLD MAP fills the grid again, and the picture follows it.
  editor.click(700, 525);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), red);
  test::writeFilledMap(folder + "VEKAA.MAP", 'T');
  editor.pass(995, 695);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), red);
  editor.click(700, 525);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), makecol(0, 255, 0));

  // The tile pictures loaded again (the archive's own colours come back).
  test::writeFilledMap(folder + "VEKAA.MAP", 'w');
  editor.click(700, 525);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), red);
  app.loadTilePictures();
  editor.pass(995, 695);
  EXPECT_EQ(getpixel(editor.frame(), 10, 10), water);
  test::BitmapPtr expected = directPicture(app);
  EXPECT_EQ(pictureDifferences(editor.frame(), expected.get()), "");
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldPictureCacheTest, ::testing::Values(16, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param) + "bpp";
                         });

TEST(WorldPictureCacheDepth, ATargetOfAnotherDepthGetsThePictureDrawnAgainInItsDepth) {
  WorldPictureCache cache;
  test::TempDir dir;
  World grid(dir.path() + "/");
  TileSet noPictures;
  for (int y = 0; y < World::kRows; ++y) grid.setCell(y, y, 7);
  for (int depth : {16, 32, 16}) {
    SCOPED_TRACE(depth);
    test::useColorDepth(depth);
    test::BitmapPtr target(create_bitmap(1000, 700));
    clear_to_color(target.get(), makecol(255, 255, 255));
    cache.draw(target.get(), grid, noPictures);
    EXPECT_EQ(bitmap_color_depth(target.get()), depth);
    EXPECT_TRUE(test::allPixels(target.get(), 0, 0, kPictureWidth, kPictureHeight, 0));
    // Only the picture's area is written.
    EXPECT_TRUE(test::allPixels(target.get(), kPictureWidth, 0, 1000 - kPictureWidth, 700,
                                makecol(255, 255, 255)));
    EXPECT_TRUE(test::allPixels(target.get(), 0, kPictureHeight, 1000, 700 - kPictureHeight,
                                makecol(255, 255, 255)));
  }
}

}  // namespace
}  // namespace vek
