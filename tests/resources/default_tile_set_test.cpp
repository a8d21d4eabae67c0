// The tile set the build generates: every picture decodes to what was drawn,
// the named tiles show their main colour at (5, 5), and the set uses every
// encoding the decoder reads.
#include "default_tile_set.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "bmp_writer.h"
#include "headless_allegro.h"
#include "core/byte_cursor.h"
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

// The encoding of a BMP file, read from its headers.
std::string encodingOf(const unsigned char* data, std::size_t size) {
  ByteCursor in(data, size);
  std::uint32_t headerSize, compression = 0, redMask = 0;
  std::uint16_t bitCount;
  in.skip(14);
  in.readU32(headerSize);
  if (headerSize == 12) {
    in.skip(6);
    in.readU16(bitCount);
    return "OS/2 " + std::to_string(bitCount);
  }
  in.skip(10);
  in.readU16(bitCount);
  in.readU32(compression);
  if (compression == 3) {
    in.skip(20);
    in.readU32(redMask);
    return "masks " + std::to_string(redMask);
  }
  return std::to_string(bitCount) + " bits, compression " + std::to_string(compression);
}

TEST_F(DefaultTileSet, UsesEveryEncodingAndBothWaysOfStoring) {
  std::set<std::string> encodings;
  std::set<int> units;
  for (int i = 0; i < archive_->count(); ++i) {
    std::size_t size = 0;
    const unsigned char* data = archive_->entryData(i, &size);
    ASSERT_NE(data, nullptr);
    encodings.insert(encodingOf(data, size));
    units.insert(archive_->entry(i)->unit);
  }
  const std::set<std::string> expected = {"1 bits, compression 0",
                                          "4 bits, compression 0",
                                          "8 bits, compression 0",
                                          "8 bits, compression 1",
                                          "4 bits, compression 2",
                                          "24 bits, compression 0",
                                          "masks 31744",
                                          "masks 63488",
                                          "masks 16711680",
                                          "OS/2 1",
                                          "OS/2 4",
                                          "OS/2 8",
                                          "OS/2 24"};
  EXPECT_EQ(encodings, expected);
  EXPECT_TRUE(units.count(0)) << "no entry is stored as it is";
  EXPECT_GT(units.size(), 1u) << "no entry is run-length coded";
}

TEST(DefaultTileSetDocument, ListsEveryNamedTile) {
  std::ifstream in(VEK_TILES_DOC);
  std::string document((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(document.empty()) << VEK_TILES_DOC;
  for (const NamedTile& tile : namedTiles()) {
    std::ostringstream row;
    row << "| " << int{tile.code} << " | " << static_cast<char>(tile.code) << " | " << tile.name
        << " | " << int{tile.dominant.r} << ", " << int{tile.dominant.g} << ", "
        << int{tile.dominant.b} << " |";
    EXPECT_NE(document.find(row.str()), std::string::npos) << "missing row: " << row.str();
  }
}

}  // namespace
}  // namespace vek
