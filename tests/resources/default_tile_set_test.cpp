// The tile set the build generates (in every encoding the decoder reads):
// every picture decodes to what was drawn, and the named tiles show their
// main colour at (5, 5).
#include "default_tile_set.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "headless_allegro.h"
#include "resources/tile_set.h"
#include "tile_painter.h"

namespace vek {
namespace {

TEST(DefaultTileSet, EveryPictureDecodesToWhatWasDrawn) {
  test::useColorDepth(32);
  std::unique_ptr<DataArchive> archive = openTileArchive(VEK_DATA_DAT);
  TileSet tiles;
  ASSERT_EQ(tiles.load(*archive), 256) << VEK_DATA_DAT << " should hold the default tile set";
  for (int code = 0; code < 256; ++code) {
    BITMAP* picture = tiles.picture(static_cast<TileCode>(code));
    ASSERT_EQ(picture->w, kTileWidth);
    ASSERT_EQ(picture->h, kTileHeight);
    TileImage drawn = paintTile(static_cast<TileCode>(code));
    int worst = 0;  // 15 and 16-bit pixels keep 5 bits of a component: they may be off by 8
    for (int y = 0; y < kTileHeight; ++y) {
      for (int x = 0; x < kTileWidth; ++x) {
        int colour = getpixel(picture, x, y);
        Rgb want = drawn.get(x, y);
        worst = std::max({worst, std::abs(getr(colour) - want.r), std::abs(getg(colour) - want.g),
                          std::abs(getb(colour) - want.b)});
      }
    }
    EXPECT_LE(worst, 8) << "code " << code;
  }
  std::set<int> codes;
  for (const NamedTile& tile : namedTiles()) {
    EXPECT_TRUE(codes.insert(tile.code).second) << tile.name << ": code used twice";
    EXPECT_EQ(paintTile(tile.code).get(5, 5), tile.dominant) << tile.name;
  }
  EXPECT_EQ(codes.size(), 26u);
}

}  // namespace
}  // namespace vek
