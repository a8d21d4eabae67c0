// BMP entries built byte by byte and decoded at 16 and 32 bpp, hostile ones refused or
// decoded within their bytes and bitmap; the tile set, code N the picture of entry
// "N.bmp"; and the tile set the build generates, in every encoding, as it was drawn.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "archive_bytes.h"
#include "bitmap_checks.h"
#include "default_tile_set.h"
#include "headless_allegro.h"
#include "resources/bitmap_decoder.h"
#include "resources/tile_set.h"
#include "temp_dir.h"
#include "tile_painter.h"

namespace vek {
namespace {

using namespace test;
using Rows = std::vector<std::string>;

// The colour letters: pure colours, which every depth and palette conversion
// keeps exactly. Bit 0 of a letter's place here is red, bit 1 green, bit 2 blue.
constexpr const char* kLetters = "KRGYBMCW";

int component(char letter, unsigned bit) {
  return std::string(kLetters).find(letter) & bit ? 255 : 0;
}

int colourOfLetter(char letter, int depth) {
  return makecol_depth(depth, component(letter, 1), component(letter, 2), component(letter, 4));
}

// A letter's colour as a BMP stores it: blue, green, red.
std::string bgr(char letter) {
  return {static_cast<char>(component(letter, 4)), static_cast<char>(component(letter, 2)),
          static_cast<char>(component(letter, 1))};
}

// A palette: four bytes an entry (the fourth reserved), or three in OS/2 files.
std::string palette(const std::string& letters, bool os2 = false) {
  std::string out;
  for (char letter : letters) out += os2 ? bgr(letter) : bgr(letter) + '\x5A';
  return out;
}

std::string fileHeader(std::uint32_t pixelOffset) {
  return "BM" + le32(0) + le32(0) + le32(pixelOffset);
}

// The 40-byte header; resolutions and colour counts, which nothing reads, are 0.
std::string windowsHeader(std::int32_t width, std::int32_t height, int bitCount,
                                 std::uint32_t compression) {
  return le32(40) + le32(static_cast<std::uint32_t>(width)) +
         le32(static_cast<std::uint32_t>(height)) + le16(1) + le16(bitCount) + le32(compression) +
         std::string(20, '\0');
}

std::string os2Header(std::uint16_t width, std::uint16_t height, int bitCount) {
  return le32(12) + le16(width) + le16(height) + le16(1) + le16(bitCount);
}

std::string bytes(std::initializer_list<int> values) {
  return std::string(values.begin(), values.end());
}

enum { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Decodes a copy of the file in a heap block of its own size: a read past it is caught.
BitmapPtr decode(const std::string& file, std::string* reason = nullptr) {
  std::vector<unsigned char> data(file.begin(), file.end());
  return BitmapPtr(decodeBitmap(data.data(), data.size(), nullptr, reason));
}

// The picture as rows of colour letters, top row first ('?': another colour); none: no rows.
std::vector<std::string> letterRows(BITMAP* bitmap) {
  std::vector<std::string> rows;
  for (int y = 0; bitmap && y < bitmap->h; ++y) {
    rows.emplace_back(bitmap->w, '?');
    for (int x = 0; x < bitmap->w; ++x)
      for (const char* l = kLetters; *l; ++l)
        if (getpixel(bitmap, x, y) == colourOfLetter(*l, bitmap_color_depth(bitmap)))
          rows[y][x] = *l;
  }
  return rows;
}

class BitmapDecoder : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { useColorDepth(GetParam()); }
};

// Every encoding decodes pixel by pixel, runs never write outside the bitmap, and
// every cut piece of a file is refused or decoded within its bytes (ASan checks).
TEST_P(BitmapDecoder, EveryEncodingDecodesPixelByPixelAndEveryCutPieceWithinItsBytes) {
  const auto rle = [](int bits, const std::string& codes) {
    return fileHeader(66) + windowsHeader(4, 3, bits, bits == 4 ? kRle4 : kRle8) +
           palette("KRG") + codes;
  };
  const std::string masks = le32(0xFF0000) + le32(0x00FF00) + le32(0x0000FF);
  const std::pair<std::string, Rows> cases[] = {
      // 1 bit: rows of 33 pixels take eight bytes.
      {fileHeader(62) + windowsHeader(33, 2, 1, kRgb) + palette("BY") +
           bytes({0x40, 0x00, 0x00, 0x01, 0x7F, 0xFF, 0xFF, 0xFF}) +  // bottom row
           bytes({0x80, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}),
       {"Y" + std::string(7, 'B') + std::string(8, 'Y') + std::string(16, 'B') + "Y",
        "BY" + std::string(29, 'B') + "YB"}},
      // 4 bits, sixteen palette entries, the pixels at offset 118.
      {fileHeader(118) + windowsHeader(5, 2, 4, kRgb) + palette("KRGBYCMWKKKKKKKK") +
           bytes({0x76, 0x07, 0x1F, 0xFF}) + bytes({0x12, 0x34, 0x5F, 0xFF}),
       {"RGBYC", "WMKWR"}},
      {fileHeader(38) + os2Header(2, 2, 8) + palette("KBRW", true) + bytes({1, 0, 0xEE, 0xEE}) +
           bytes({2, 3, 0xEE, 0xEE}),
       {"RW", "BK"}},
      {fileHeader(32) + os2Header(9, 1, 1) + palette("RG", true) + bytes({0xAA, 0x80, 0, 0}),
       {"GRGRGRGRG"}},
      {fileHeader(26) + os2Header(2, 1, 24) + bgr('C') + bgr('M') + bytes({0, 0}), {"CM"}},
      // Top-down rows of 24 bits, each padded to four bytes.
      {fileHeader(54) + windowsHeader(1, -2, 24, kRgb) + bgr('R') + "\x01" + bgr('B') + "\x01",
       {"R", "B"}},
      // 16 bits without masks are 5-5-5.
      {fileHeader(54) + windowsHeader(2, 1, 16, kRgb) + le16(0x03E0) + le16(0x7C1F), {"GM"}},
      {fileHeader(54) + windowsHeader(1, 1, 32, kRgb) + le32(0xAAFFFF00), {"Y"}},
      // 32-bit bit fields: the masks decide, whatever the bit count says.
      {fileHeader(66) + windowsHeader(2, 2, 24, kBitFields) + masks + le32(0x000000FF) +
           le32(0x00FFFFFF) + le32(0xAAFF0000) + le32(0x0000FF00),
       {"RG", "BW"}},
      // The 108-byte header holds its masks, and says where the pixels start.
      {fileHeader(126) + le32(108) + windowsHeader(1, 1, 32, kBitFields).substr(4) + masks +
           std::string(56, '\0') + "pad." + le32(0x00FF00FF),
       {"M"}},
      // RLE8: R R R, absolute G B Y and a pad byte, end of line, G G, a delta two right
      // and one line up, W W, end of line, and end of bitmap: the top line stays 0.
      {fileHeader(78) + windowsHeader(6, 4, 8, kRle8) + palette("KRGBYW") +
           bytes({3, 1, 0, 3, 2, 3, 4, 0x77, 0, 0, 2, 2, 0, 2, 2, 1, 2, 5, 0, 0, 0, 1}),
       {"KKKKKK", "KKKKWW", "GGKKKK", "RRRGBY"}},
      // RLE4: absolute R G B Y C packed in a word, M W, end of line, W K W, a delta one
      // right, R R, end of line, G B G B G B G, end of bitmap.
      {fileHeader(86) + windowsHeader(7, 3, 4, kRle4) + palette("KRGBYCMW") +
           bytes({0, 5, 0x12, 0x34, 0x50, 0x77, 2, 0x67, 0, 0, 3, 0x70, 0, 2, 1, 0, 2, 0x11, 0, 0,
                  7, 0x23, 0, 1}),
       {"GBGBGBG", "WKWKRRK", "RGBYCMW"}},
      // Runs past the right edge end their line; so does an absolute one.
      {rle(8, bytes({255, 1, 2, 2, 0, 1})), {"KKKK", "GGKK", "RRRR"}},
      {rle(8, bytes({6, 1, 0, 0, 2, 2, 0, 1})), {"KKKK", "GGKK", "RRRR"}},  // and its end of line
      {rle(8, bytes({0, 9, 1, 2, 1, 2, 1, 2, 1, 2, 1, 0x77, 3, 2, 0, 1})),
       {"KKKK", "GGGK", "RGRG"}},
      {rle(4, bytes({200, 0x12, 0, 1})), {"KKKK", "KKKK", "RGRG"}},
      {rle(4, bytes({0, 7, 0x12, 0x12, 0x12, 0x10, 1, 0x20, 0, 1})), {"KKKK", "GKKK", "RGRG"}},
      // A delta above the top stops decoding; past the right edge it ends the line.
      {rle(8, bytes({1, 2, 0, 2, 0, 200, 4, 1, 0, 1})), {"KKKK", "KKKK", "GKKK"}},
      {rle(8, bytes({1, 2, 0, 2, 250, 0, 1, 1, 0, 1})), {"KKKK", "RKKK", "GKKK"}},
      // A delta to the right edge keeps its line until it runs past.
      {rle(8, bytes({0, 2, 4, 0, 1, 2, 1, 1, 1, 2, 0, 1})), {"KKKK", "GKKK", "KKKK"}},
      {rle(8, bytes({2, 1})), {"KKKK", "KKKK", "RRKK"}},  // no end of bitmap
      // 300 palette entries: 256 are taken, the pixels follow the rest.
      {fileHeader(54 + 4 * 300) + windowsHeader(2, 1, 8, kRgb) + palette("KG") +
           palette(std::string(298, 'R')) + bytes({255, 1, 0, 0}),
       {"RG"}},
      // A palette entry the file does not give is black, whatever came before.
      {fileHeader(54 + 1024) + windowsHeader(1, 1, 8, kRgb) + palette(std::string(256, 'W')) +
           bytes({5, 0, 0, 0}),
       {"W"}},
      {fileHeader(58) + windowsHeader(1, 1, 8, kRgb) + palette("R") + bytes({5, 0, 0, 0}), {"K"}},
  };
  int index = 0;
  for (const auto& [file, rows] : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << index++);
    BitmapPtr picture = decode(file);
    ASSERT_EQ(letterRows(picture.get()), rows);
    EXPECT_EQ(bitmap_color_depth(picture.get()), GetParam());
    for (std::size_t length = 0; length < file.size(); ++length) {
      BitmapPtr cut = decode(file.substr(0, length));
      EXPECT_TRUE(!cut || (cut->w == picture->w && cut->h == picture->h)) << length;
    }
    EXPECT_EQ(decode(file.substr(0, 30)), nullptr) << "cut inside the headers";
  }
  // At its own depth a pixel keeps every bit: 5-6-5 at 16, 8-8-8 at 32.
  const bool sixteen = GetParam() == 16;
  BitmapPtr exact = decode(fileHeader(66) + windowsHeader(1, 1, 16, kBitFields) + le32(0xF800) +
                           le32(0x07E0) + le32(0x001F) + le16(0x1234) + bytes({0, 0}));
  if (!sixteen) exact = decode(fileHeader(54) + windowsHeader(1, 1, 24, kRgb) + "\x56\x34\x12");
  ASSERT_NE(exact, nullptr);
  EXPECT_EQ(getpixel(exact.get(), 0, 0),
            sixteen ? makecol16(0x10, 0x44, 0xA0) : makecol32(0x12, 0x34, 0x56));
}

TEST_P(BitmapDecoder, RefusesWhatItDoesNotReadOrCannotBeRightAndSaysWhy) {
  const auto eightBit = [](std::int32_t width, std::int32_t height, std::uint32_t compression) {
    return windowsHeader(width, height, 8, compression) + palette("KW") + bytes({1, 0, 0, 0});
  };
  const auto masks = [](int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return fileHeader(66) + windowsHeader(1, 1, bits, kBitFields) + le32(red) + le32(green) +
           le32(blue) + le32(0);
  };
  const auto size = [](std::int32_t width, std::int32_t height) {
    return fileHeader(54) + windowsHeader(width, height, 24, kRgb) + bgr('R') + '\0';
  };
  const std::string side = " is not 1 to 4096 pixels a side";
  const std::pair<std::string, std::string> cases[] = {
      {fileHeader(62) + eightBit(1, 1, 4), "unsupported compression 4"},
      {fileHeader(62) + eightBit(1, 1, 0x80000000), "unsupported compression 2147483648"},
      {"BA" + fileHeader(62).substr(2) + eightBit(1, 1, kRgb), "not a BMP file (no \"BM\")"},
      {fileHeader(62) + le32(64) + eightBit(1, 1, kRgb).substr(4), "unsupported header size 64"},
      {masks(16, 0x1F, 0x3E0, 0x7C00),
       "unsupported bit-field masks red 0x1F, green 0x3E0, blue 0x7C00"},
      {fileHeader(54) + windowsHeader(1, 1, 24, kRle8) + bytes({1, 1, 0, 1}),
       "run-length data with 24 bits a pixel"},
      {fileHeader(62) + eightBit(1, -1, kRle8), "top-down pictures cannot be run-length coded"},
      {fileHeader(62) + windowsHeader(4, 1, 8, kRle8) + palette("KW") + bytes({0, 3, 1}),
       "RLE8 data past the end"},
      {fileHeader(62) + windowsHeader(4, 1, 4, kRle4) + palette("KW") + bytes({2}),
       "RLE4 data past the end"},
      {size(2, 2) + std::string(9, 'x'), "pixel data cut short"},
      {size(0, 1), "size 0 x 1" + side},
      {size(4097, 1), "size 4097 x 1" + side},
      {size(1, 0), "size 1 x 0" + side},
      {size(1, 0x7FFFFFFF), "size 1 x 2147483647" + side},
      {size(INT32_MIN, INT32_MIN), "size -2147483648 x -2147483648" + side},
      {fileHeader(26) + os2Header(65535, 1, 24) + bgr('R'), "size 65535 x 1" + side},
      {fileHeader(53) + eightBit(1, 1, kRgb), "pixel data offset 53 ends before the headers"},
      {fileHeader(25) + os2Header(1, 1, 8) + palette("KW"),
       "pixel data offset 25 ends before the headers"},
      {fileHeader(54 + 4 * 300) + eightBit(1, 1, kRgb), "palette cut short"},
  };
  for (const auto& [file, why] : cases) {
    std::string reason;
    EXPECT_EQ(decode(file, &reason), nullptr) << why;
    EXPECT_EQ(reason, why);
  }
  BitmapPtr widest = decode(size(4096, 1) + std::string(4096 * 3, '\0'));
  ASSERT_NE(widest, nullptr) << "4,096 is allowed";
  EXPECT_EQ(widest->w, 4096);
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapDecoder, ::testing::Values(16, 32));

// A 24-bit picture of one colour, width x height.
std::string plainPicture(int width, int height, char letter) {
  std::string row;
  for (int x = 0; x < width; ++x) row += bgr(letter);
  row.resize((row.size() + 3) / 4 * 4, '\0');
  std::string file = fileHeader(54) + windowsHeader(width, height, 24, 0);
  for (int y = 0; y < height; ++y) file += row;
  return file;
}

TEST(TileSet, OnlyTheExactEntryNameGivesACodeItsPictureFromAnArchiveReadAtOnce) {
  test::useColorDepth(16);
  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  ASSERT_TRUE(test::writeFileBytes(path, buildArchive({
      {"7.bmp", plainPicture(18, 20, 'R')},
      {"007.bmp", plainPicture(18, 20, 'G')},
      {"8.BMP", plainPicture(18, 20, 'G')},
      {"9.bmp", "not a picture at all"},
      {"250.bmp", plainPicture(30, 25, 'B')},
      {"readme.txt", "entries of other names are ignored"},
  })));
  std::unique_ptr<DataArchive> archive = openTileArchive(path.c_str());
  // Preloaded: the file may go away before the pictures are decoded.
  ASSERT_TRUE(test::writeFileBytes(path, "gone"));
  TileSet tiles;
  EXPECT_EQ(tiles.load(*archive), 2) << "7.bmp and 250.bmp, and no other entry";
  EXPECT_EQ(letterRows(tiles.picture(7)), Rows(20, std::string(18, 'R')));
  EXPECT_EQ(letterRows(tiles.picture(250)), Rows(25, std::string(30, 'B'))) << "its own size";

  // Loading again replaces everything held before.
  ASSERT_TRUE(test::writeFileBytes(dir.file("other.dat"), "DATAVER00.02.00"));
  for (const std::string& other : {dir.file("missing.dat"), path, dir.file("other.dat")}) {
    archive = openTileArchive(other.c_str());
    EXPECT_EQ(tiles.load(*archive), 0) << other;
    EXPECT_EQ(tiles.picture(7), nullptr);
  }
}

TEST(DefaultTileSet, EveryPictureDecodesToWhatWasDrawn) {
  test::useColorDepth(32);
  std::unique_ptr<DataArchive> archive = openTileArchive(VEK_DATA_DAT);
  TileSet tiles;
  ASSERT_EQ(tiles.load(*archive), 256) << VEK_DATA_DAT << " should hold the default tile set";
  for (int code = 0; code < 256; ++code) {
    BITMAP* picture = tiles.picture(static_cast<TileCode>(code));
    ASSERT_EQ((std::pair{picture->w, picture->h}), (std::pair{kTileWidth, kTileHeight}));
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
}

}  // namespace
}  // namespace vek
