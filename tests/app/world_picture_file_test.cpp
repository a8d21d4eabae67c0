// The world picture file against the world view (cell scale) and the tile
// pictures cut to the cell with the map lines (tile scale).
#include <allegro.h>
#include <gtest/gtest.h>

#include "app/world_picture.h"
#include "app_test_support.h"
#include "headless_allegro.h"
#include "resources/png_reader.h"
#include "resources/world_picture_file.h"

namespace vek {
namespace {

using test::Colour;

class WorldPictureFile : public ::testing::Test {
 protected:
  WorldPictureFile() {
    test::useColorDepth(32);
    folder = dir.path() + "/";
    std::string archivePath = dir.file("data.dat");
    test::writeTileArchive(archivePath, {{'w', {0, 255, 255}, 18, 20, Colour{1, 2, 3}},
                                         {'T', {0, 255, 0}, 30, 30, Colour{200, 10, 10}},
                                         {'q', {255, 255, 0}, 5, 5},  // no (5, 5)
                                         {'k', {9, 9, 90}, 10, 12, Colour{7, 70, 170}}});
    test::writeFilledMap(folder + "VEKAA.MAP", 'w');
    test::writeFilledMap(folder + "VEKBA.MAP", 'T');
    test::writeFilledMap(folder + "VEKTT.MAP", 'q');
    test::writeFilledMap(folder + "VEKCD.MAP", 'x');  // no picture
    Map mixed;
    for (int row = 0; row < Map::kRows; ++row)
      for (int column = 0; column < Map::kColumns; ++column)
        mixed.setTile(column, row, static_cast<TileCode>("wTqkx"[(row + column) % 5]));
    mixed.save((folder + "VEKDC.MAP").c_str());
    std::unique_ptr<DataArchive> archive = openTileArchive(archivePath.c_str());
    tileSet.load(*archive);
    tiles.load(*archive);
  }

  // Pixel (x, y) of rows of width pixels of channels bytes each.
  static int pixel(const std::uint8_t* rows, int width, int channels, int x, int y) {
    const std::uint8_t* p = rows + (static_cast<std::size_t>(y) * width + x) * channels;
    return makecol(p[0], p[1], p[2]);
  }
  int pngPixel(const RgbaImage& image, int x, int y) { return pixel(image.rgba.data(), image.width, 4, x, y); }

  test::TempDir dir;
  std::string folder;
  TileSet tileSet;
  TilePictures tiles;
  World world{folder};
};

TEST_F(WorldPictureFile, CellScaleIsTheWorldViewsPicturePixelByPixel) {
  world.open(folder);
  test::BitmapPtr view(create_bitmap(864, 480));
  drawWorldPicture(view.get(), world, tileSet);
  std::string reason;
  ASSERT_TRUE(writeWorldPicture(world, tiles, {WorldPictureScale::Cell}, dir.file("w.png"), reason))
      << reason;
  std::string bytes = test::readFileBytes(dir.file("w.png"));
  RgbaImage image;
  ASSERT_TRUE(readPng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 1000,
                      image, reason))
      << reason;
  ASSERT_EQ(image.width, 960);
  ASSERT_EQ(image.height, 480);
  int differing = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 864; ++x)
      differing += pngPixel(image, worldGridColumnAt(x), y) != getpixel(view.get(), x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(pngPixel(image, 0, 0), makecol(1, 2, 3));  // not all black
}

TEST_F(WorldPictureFile, TileScaleDrawsEachCellsPictureCutToTheCellAndTheLines) {
  world.open(folder);
  WorldPictureBand band(tiles, {WorldPictureScale::Tile, true});
  ASSERT_EQ(band.width(), 17280);
  ASSERT_EQ(band.rows(), 20);
  const std::pair<int, int> cells[] = {{0, 0},   {47, 0},  {48, 0},   {100, 23},
                                       {96, 72}, {150, 48}, {959, 479}, {500, 24}};
  for (const auto& [cellX, cellY] : cells) {
    SCOPED_TRACE(std::to_string(cellX) + "," + std::to_string(cellY));
    band.draw(world, cellY);
    BITMAP* picture = tileSet.picture(world.cell(cellX, cellY));
    int differing = 0;
    for (int row = 0; row < 20; ++row) {
      for (int column = 0; column < 18; ++column) {
        bool onLine = (cellX % 48 == 0 && cellX > 0 && column == 0) ||
                      (cellY % 24 == 0 && cellY > 0 && row == 0);
        int expected = onLine ? makecol(96, 96, 96)
                       : picture && column < picture->w && row < picture->h
                           ? getpixel(picture, column, row)
                           : 0;
        differing += pixel(band.data(), band.width(), 3, cellX * 18 + column, row) != expected;
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
}  // namespace vek
