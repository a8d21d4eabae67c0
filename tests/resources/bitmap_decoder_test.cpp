// One small image per encoding, built byte by byte, decoded headless at 16
// and 32 bits per pixel and checked pixel by pixel.
#include "resources/bitmap_decoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "bmp_bytes.h"
#include "headless_allegro.h"

namespace vek {
namespace {

using test::bgr;
using test::bytes;
using test::expectPicture;
using test::fileHeader;
using test::le16;
using test::le32;
using test::os2Header;
using test::os2Palette;
using test::windowsHeader;
using test::windowsPalette;

using test::decode;
using test::Picture;
using test::kRgb;
using test::kRle8;
using test::kRle4;
using test::kBitFields;

class BitmapDecoder : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { test::useColorDepth(GetParam()); }

  void expectDecoded(const std::string& file, const std::vector<std::string>& rows,
                     const std::string& what) {
    Picture picture = decode(file);
    expectPicture(picture.get(), rows, what);
    if (picture) {
      EXPECT_EQ(bitmap_color_depth(picture.get()), GetParam()) << what;
    }
  }
};

// Pictures ImageMagick writes (8 and 24 bits, 5-5-5 and 5-6-5 bit fields,
// the newer headers) are compared with ImageMagick's own reading in
// picture_files_test; these are the encodings it does not write.
TEST_P(BitmapDecoder, EveryEncodingDecodesPixelByPixel) {
  std::string os2Colours(256, 'G');
  os2Colours[0] = 'K';
  os2Colours[7] = 'B';
  os2Colours[128] = 'R';
  os2Colours[255] = 'W';
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> rows;  // top row first
  };
  const Case cases[] = {
      {"1-bit rows of 33 pixels take eight bytes",
       fileHeader(62) + windowsHeader(33, 2, 1, kRgb) + windowsPalette("BY") +
           bytes({0x40, 0x00, 0x00, 0x01, 0x7F, 0xFF, 0xFF, 0xFF}) +  // bottom row
           bytes({0x80, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}),
       {"Y" + std::string(7, 'B') + std::string(8, 'Y') + std::string(16, 'B') + "Y",
        "BY" + std::string(29, 'B') + "YB"}},
      {"4-bit, sixteen palette entries, pixels at offset 118",
       fileHeader(118) + windowsHeader(5, 2, 4, kRgb) + windowsPalette("KRGBYCMWKKKKKKKK") +
           bytes({0x76, 0x07, 0x1F, 0xFF}) + bytes({0x12, 0x34, 0x5F, 0xFF}),
       {"RGBYC", "WMKWR"}},
      {"OS/2 8-bit with a three-byte palette",
       fileHeader(26 + 3 * 256) + os2Header(2, 2, 8) + os2Palette(os2Colours) +
           bytes({7, 0, 0xEE, 0xEE}) + bytes({128, 255, 0xEE, 0xEE}),
       {"RW", "BK"}},
      {"OS/2 1-bit",
       fileHeader(32) + os2Header(9, 1, 1) + os2Palette("RG") + bytes({0xAA, 0x80, 0x00, 0x00}),
       {"GRGRGRGRG"}},
      {"OS/2 24-bit", fileHeader(26) + os2Header(2, 1, 24) + bgr('C') + bgr('M') + bytes({0, 0}),
       {"CM"}},
      {"RLE8: runs, an absolute run, a delta and an early end",
       fileHeader(78) + windowsHeader(6, 4, 8, kRle8) + windowsPalette("KRGBYW") +
           bytes({3, 1,                 // R R R
                  0, 3, 2, 3, 4, 0x77,  // absolute G B Y and its pad byte
                  0, 0,                 // end of line
                  2, 2,                 // G G
                  0, 2, 2, 1,           // delta: two right, one line up
                  2, 5,                 // W W
                  0, 0,                 // end of line
                  0, 1}),               // end of bitmap: the top line stays 0
       {"KKKKKK", "KKKKWW", "GGKKKK", "RRRGBY"}},
      {"RLE4: nibbles alternate, absolute runs are packed in words",
       fileHeader(86) + windowsHeader(7, 3, 4, kRle4) + windowsPalette("KRGBYCMW") +
           bytes({0, 5, 0x12, 0x34, 0x50, 0x77,  // absolute R G B Y C: four bytes
                  2, 0x67,                        // M W
                  0, 0,                           // end of line
                  3, 0x70,                        // W K W
                  0, 2, 1, 0,                     // delta: one right
                  2, 0x11,                        // R R
                  0, 0,                           // end of line
                  7, 0x23,                        // G B G B G B G
                  0, 1}),                         // end of bitmap
       {"GBGBGBG", "WKWKRRK", "RGBYCMW"}},
      {"32-bit bit fields: the masks decide, whatever the bit count says",
       fileHeader(66) + windowsHeader(2, 2, 24, kBitFields) + le32(0xFF0000) + le32(0x00FF00) +
           le32(0x0000FF) + le32(0x000000FF) + le32(0x00FFFFFF) + le32(0xAAFF0000) +
           le32(0x0000FF00),
       {"RG", "BW"}},
  };
  for (const Case& c : cases) expectDecoded(c.file, c.rows, c.what);
}

TEST_P(BitmapDecoder, RefusesWhatItDoesNotRead) {
  std::string eightBit = windowsPalette("KW") + bytes({1, 0, 0, 0});
  struct Case {
    const char* what;
    std::string file;
  };
  const Case cases[] = {
      {"compression 4", fileHeader(62) + windowsHeader(1, 1, 8, 4) + eightBit},
      {"compression 0x80000000", fileHeader(62) + windowsHeader(1, 1, 8, 0x80000000) + eightBit},
      {"type BA", "BA" + fileHeader(62).substr(2) + windowsHeader(1, 1, 8, kRgb) + eightBit},
      {"header size 64",
       fileHeader(62) + le32(64) + windowsHeader(1, 1, 8, kRgb).substr(4) + eightBit},
      {"header size 0",
       fileHeader(62) + le32(0) + windowsHeader(1, 1, 8, kRgb).substr(4) + eightBit},
      {"masks 5-5-5 with blue and red swapped",
       fileHeader(66) + windowsHeader(1, 1, 16, kBitFields) + le32(0x1F) + le32(0x3E0) +
           le32(0x7C00) + le32(0)},
      {"masks 0xFF00 red", fileHeader(66) + windowsHeader(1, 1, 32, kBitFields) + le32(0xFF00) +
                               le32(0xFF00) + le32(0xFF) + le32(0)},
      {"RLE8 with bit count 24",
       fileHeader(54) + windowsHeader(1, 1, 24, kRle8) + bytes({1, 1, 0, 1})},
  };
  for (const Case& c : cases) EXPECT_EQ(decode(c.file), nullptr) << c.what;
}

TEST_P(BitmapDecoder, GivesTheColoursToACallersPalette) {
  PALETTE palette;
  std::memset(palette, 0x11, sizeof palette);
  std::string eightBit = fileHeader(70) + windowsHeader(3, 2, 8, kRgb) + windowsPalette("KMCW") +
                         bytes({3, 0, 1, 0}) + bytes({1, 2, 3, 0});
  Picture picture = decode(eightBit, &palette);
  expectPicture(picture.get(), {"MCW", "WKM"}, "8-bit with a palette");
  const RGB expected[] = {
      {0, 0, 0, 0}, {63, 0, 63, 0}, {0, 63, 63, 0}, {63, 63, 63, 0}, {0x11, 0x11, 0x11, 0}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(palette[i].r, expected[i].r) << "entry " << i;
    EXPECT_EQ(palette[i].g, expected[i].g) << "entry " << i;
    EXPECT_EQ(palette[i].b, expected[i].b) << "entry " << i;
  }

  std::string trueColour = fileHeader(54) + windowsHeader(1, 1, 24, kRgb) + bgr('R') + bytes({0});
  Picture converted = decode(trueColour, &palette);
  expectPicture(converted.get(), {"R"}, "24-bit with a palette");
  PALETTE threeThreeTwo;
  generate_332_palette(threeThreeTwo);
  for (int i = 0; i < PAL_SIZE; ++i) {
    EXPECT_EQ(palette[i].r, threeThreeTwo[i].r) << "entry " << i;
    EXPECT_EQ(palette[i].g, threeThreeTwo[i].g) << "entry " << i;
    EXPECT_EQ(palette[i].b, threeThreeTwo[i].b) << "entry " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapDecoder, ::testing::Values(16, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param) + "bpp";
                         });

TEST(BitmapDecoderNativeDepth, KeepsEveryBitOfAPixelAtItsOwnDepth) {
  test::useColorDepth(16);
  Picture sixteen = decode(fileHeader(66) + windowsHeader(1, 1, 16, kBitFields) + le32(0xF800) +
                           le32(0x07E0) + le32(0x001F) + le16(0x1234) + bytes({0, 0}));
  ASSERT_NE(sixteen, nullptr);
  EXPECT_EQ(getpixel(sixteen.get(), 0, 0),
            (0x02 << _rgb_r_shift_16) | (0x11 << _rgb_g_shift_16) | (0x14 << _rgb_b_shift_16));

  test::useColorDepth(32);
  Picture thirtyTwo = decode(fileHeader(66) + windowsHeader(1, 1, 32, kBitFields) + le32(0xFF0000) +
                             le32(0xFF00) + le32(0xFF) + le32(0x00123456));
  ASSERT_NE(thirtyTwo, nullptr);
  EXPECT_EQ(getpixel(thirtyTwo.get(), 0, 0),
            (0x12 << _rgb_r_shift_32) | (0x34 << _rgb_g_shift_32) | (0x56 << _rgb_b_shift_32));
}

}  // namespace
}  // namespace vek
