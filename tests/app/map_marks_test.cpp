// What is drawn over the map grid: teleport markers in their cells' corner,
// outlines cut at the grid's edge, and the paste preview of a block.
#include <allegro.h>
#include <gtest/gtest.h>

#include "app/map_marks.h"
#include "app_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

constexpr int kCellW = 18, kCellH = 20;

TEST(MapMarks, MarkersSitInTheTopRightCornerOfTheirCellsOnly) {
  test::useColorDepth(32);
  test::BitmapPtr target = test::blankBitmap(864, 480);
  clear_bitmap(target.get());
  Map map;
  map.addTeleport(4, 3, "IN");    // cell (3, 2)
  map.addTeleport(48, 24, "EDGE");  // the last cell
  map.addTeleport(0, 7, "OFF");   // no cell: not drawn
  map.addTeleport(49, 1, "OFF");
  map.addTeleport(-2147483647 - 1, -2147483647 - 1, "FAR");
  drawTeleportMarkers(target.get(), map);
  int red = test::red();
  EXPECT_EQ(test::countPixels(target.get(), 0, 0, 864, 480, red), 2 * 15);  // two triangles
  EXPECT_EQ(getpixel(target.get(), 4 * kCellW - 1, 2 * kCellH), red);     // the corner itself
  EXPECT_EQ(test::countPixels(target.get(), 3 * kCellW, 2 * kCellH, 12, 20, red), 0);
  EXPECT_EQ(test::countPixels(target.get(), 3 * kCellW, 2 * kCellH + 5, 18, 15, red), 0);
  EXPECT_EQ(getpixel(target.get(), 863, 460), red);
}

TEST(MapMarks, OutlinesAndPreviewsStayInsideTheGrid) {
  test::useColorDepth(32);
  test::BitmapPtr target = test::blankBitmap(1000, 700);
  TileSet noPictures;
  TileCharacters characters;
  int yellow = makecol(255, 255, 0);
  struct Case {
    const char* name;
    MapKind kind;
    Cell at;
    int frameLeft, frameTop, frameRight, frameBottom;  // pixels
    int drawnCells;
  } cases[] = {
      {"inside", MapKind::Wilderness, {2, 3}, 36, 60, 71, 99, 4},
      {"past the right and bottom edges", MapKind::Wilderness, {47, 23}, 846, 460, 863, 479, 1},
      {"last row of a local map left out", MapKind::Local, {10, 22}, 180, 440, 215, 479, 2},
  };
  Map source;
  source.setTile(0, 0, 'A');
  source.setTile(1, 0, 'B');
  source.setTile(0, 1, 'C');
  source.setTile(1, 1, 'D');
  TileBlock block = TileBlock::copiedFrom(source, {0, 0, 1, 1});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clear_bitmap(target.get());
    Map map;
    map.kind = c.kind;
    drawBlockPreview(target.get(), block, c.at, map, noPictures, characters);
    EXPECT_EQ(getpixel(target.get(), c.frameLeft, c.frameTop), yellow);
    EXPECT_EQ(getpixel(target.get(), c.frameRight, c.frameBottom), yellow);
    EXPECT_EQ(test::countPixels(target.get(), 864, 0, 136, 700, yellow), 0) << "right of the map";
    EXPECT_EQ(test::countPixels(target.get(), 0, 480, 1000, 220, yellow), 0) << "below the map";
    int white = 0;
    for (int row = 0; row < Map::kRows; ++row)
      for (int column = 0; column < Map::kColumns; ++column)
        white += test::countPixels(target.get(), column * kCellW + 2, row * kCellH + 2, 14, 16,
                                   test::white()) > 0;
    EXPECT_EQ(white, c.drawnCells) << "cells showing a block character";
  }
}

}  // namespace
}  // namespace vek
