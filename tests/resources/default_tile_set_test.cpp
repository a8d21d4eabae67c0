// The tile set the build generates (in every encoding the decoder reads):
// every picture decodes to what was drawn, and the named tiles show their
// main colour at (5, 5).
#include "default_tile_set.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "headless_allegro.h"
#include "resources/tile_set.h"
#include "tile_painter.h"

namespace vek {
namespace {

int channelDistance(int colour, Rgb expected) {
  return std::max({std::abs(getr(colour) - expected.r), std::abs(getg(colour) - expected.g),
                   std::abs(getb(colour) - expected.b)});
}

// 15 and 16-bit pixels keep 5 bits of a component: they may be off by 8.
constexpr int kTolerance = 8;

class DefaultTileSet : public ::testing::Test {
 protected:
  void SetUp() override {
    test::useColorDepth(32);
    archive_ = openTileArchive(VEK_DATA_DAT);
    ASSERT_EQ(archive_->count(), 256) << VEK_DATA_DAT << " should hold the default tile set";
    ASSERT_EQ(tiles_.load(*archive_), 256);
  }

  std::unique_ptr<DataArchive> archive_;
  TileSet tiles_;
};

TEST_F(DefaultTileSet, EveryPictureDecodesToWhatWasDrawn) {
  for (int code = 0; code < 256; ++code) {
    BITMAP* picture = tiles_.picture(static_cast<TileCode>(code));
    ASSERT_NE(picture, nullptr) << "code " << code;
    ASSERT_EQ(picture->w, kTileWidth);
    ASSERT_EQ(picture->h, kTileHeight);
    TileImage drawn = paintTile(static_cast<TileCode>(code));
    int worst = 0;
    for (int y = 0; y < kTileHeight; ++y)
      for (int x = 0; x < kTileWidth; ++x)
        worst = std::max(worst, channelDistance(getpixel(picture, x, y), drawn.get(x, y)));
    EXPECT_LE(worst, kTolerance) << "code " << code;
  }
}

TEST_F(DefaultTileSet, NamedTilesShowTheirMainColourAtFiveFive) {
  std::set<int> codes;
  for (const NamedTile& tile : namedTiles()) {
    EXPECT_GE(tile.code, 33) << tile.name << ": codes are printable characters";
    EXPECT_LE(tile.code, 126) << tile.name;
    EXPECT_TRUE(codes.insert(tile.code).second) << tile.name << ": code used twice";
    EXPECT_EQ(paintTile(tile.code).get(5, 5), tile.dominant) << tile.name;
    int sample = getpixel(tiles_.picture(tile.code), 5, 5);
    EXPECT_LE(channelDistance(sample, tile.dominant), kTolerance) << tile.name;
  }
  EXPECT_EQ(codes.size(), 26u);
}

}  // namespace
}  // namespace vek
