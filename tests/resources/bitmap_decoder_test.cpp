// BMP entries built byte by byte, decoded at 16 and 32 bpp and checked pixel
// by pixel; hostile ones refused or decoded within their bytes and bitmap.
#include "resources/bitmap_decoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bmp_bytes.h"
#include "headless_allegro.h"

namespace vek {
namespace {

using namespace test;

class BitmapDecoder : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { useColorDepth(GetParam()); }
};

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
      {"300 palette entries: 256 are taken, the pixels follow the rest",
       fileHeader(54 + 4 * 300) + windowsHeader(2, 1, 8, kRgb) + windowsPalette("KG") +
           windowsPalette(std::string(298, 'R')) + bytes({1, 0, 0, 0}),
       {"GK"}},
  };
  for (const Case& c : cases) {
    Picture picture = decode(c.file);
    expectPicture(picture.get(), c.rows, c.what);
    if (picture) {
      EXPECT_EQ(bitmap_color_depth(picture.get()), GetParam()) << c.what;
    }
  }
}

TEST_P(BitmapDecoder, RefusesWhatItDoesNotReadOrCannotBeRightAndSaysWhy) {
  const std::string eightBit = windowsPalette("KW") + bytes({1, 0, 0, 0});
  const std::string pixel = bgr('R') + bytes({0});
  const std::pair<std::string, const char*> cases[] = {
      {fileHeader(62) + windowsHeader(1, 1, 8, 4) + eightBit, "unsupported compression 4"},
      {fileHeader(62) + windowsHeader(1, 1, 8, 0x80000000) + eightBit,
       "unsupported compression 2147483648"},
      {"BA" + fileHeader(62).substr(2) + windowsHeader(1, 1, 8, kRgb) + eightBit,
       "not a BMP file (no \"BM\")"},
      {fileHeader(62) + le32(64) + windowsHeader(1, 1, 8, kRgb).substr(4) + eightBit,
       "unsupported header size 64"},
      {fileHeader(62) + le32(0) + windowsHeader(1, 1, 8, kRgb).substr(4) + eightBit,
       "unsupported header size 0"},
      {fileHeader(66) + windowsHeader(1, 1, 16, kBitFields) + le32(0x1F) + le32(0x3E0) +
           le32(0x7C00) + le32(0),
       "unsupported bit-field masks red 0x1F, green 0x3E0, blue 0x7C00"},
      {fileHeader(66) + windowsHeader(1, 1, 32, kBitFields) + le32(0xFF00) + le32(0xFF00) +
           le32(0xFF) + le32(0),
       "unsupported bit-field masks red 0xFF00, green 0xFF00, blue 0xFF"},
      {fileHeader(54) + windowsHeader(1, 1, 24, kRle8) + bytes({1, 1, 0, 1}),
       "run-length data with 24 bits a pixel"},
      {fileHeader(62) + windowsHeader(1, -1, 8, kRle8) + eightBit,
       "top-down pictures cannot be run-length coded"},
      {fileHeader(62) + windowsHeader(4, 1, 8, kRle8) + windowsPalette("KW") + bytes({0, 3, 1}),
       "RLE8 data past the end"},
      {fileHeader(62) + windowsHeader(4, 1, 4, kRle4) + windowsPalette("KW") + bytes({2}),
       "RLE4 data past the end"},
      {fileHeader(54) + windowsHeader(2, 2, 24, kRgb) + std::string(13, 'x'), "pixel data cut short"},
      {fileHeader(54) + windowsHeader(0, 1, 24, kRgb) + pixel,
       "size 0 x 1 is not 1 to 4096 pixels a side"},
      {fileHeader(54) + windowsHeader(-1, 1, 24, kRgb) + pixel,
       "size -1 x 1 is not 1 to 4096 pixels a side"},
      {fileHeader(54) + windowsHeader(4097, 1, 24, kRgb) + pixel,
       "size 4097 x 1 is not 1 to 4096 pixels a side"},
      {fileHeader(54) + windowsHeader(1, 0, 24, kRgb) + pixel,
       "size 1 x 0 is not 1 to 4096 pixels a side"},
      {fileHeader(54) + windowsHeader(1, 0x7FFFFFFF, 24, kRgb) + pixel,
       "size 1 x 2147483647 is not 1 to 4096 pixels a side"},
      {fileHeader(54) + windowsHeader(INT32_MIN, INT32_MIN, 24, kRgb) + pixel,
       "size -2147483648 x -2147483648 is not 1 to 4096 pixels a side"},
      {fileHeader(26) + os2Header(0, 1, 24) + pixel, "size 0 x 1 is not 1 to 4096 pixels a side"},
      {fileHeader(26) + os2Header(65535, 1, 24) + pixel,
       "size 65535 x 1 is not 1 to 4096 pixels a side"},
      {fileHeader(53) + windowsHeader(1, 1, 8, kRgb) + eightBit,
       "pixel data offset 53 ends before the headers"},
      {fileHeader(0) + windowsHeader(1, 1, 8, kRgb) + eightBit,
       "pixel data offset 0 ends before the headers"},
      {fileHeader(25) + os2Header(1, 1, 8) + eightBit, "pixel data offset 25 ends before the headers"},
      {fileHeader(54 + 4 * 300) + windowsHeader(1, 1, 8, kRgb) + windowsPalette("KW"),
       "palette cut short"},
  };
  for (const auto& [file, why] : cases) {
    std::string reason;
    EXPECT_EQ(decode(file, &reason), nullptr) << why;
    EXPECT_EQ(reason, why);
  }
  Picture widest =
      decode(fileHeader(54) + windowsHeader(4096, 1, 24, kRgb) + std::string(4096 * 3, '\0'));
  ASSERT_NE(widest, nullptr) << "4,096 is allowed";
  EXPECT_EQ(widest->w, 4096);
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapDecoder, ::testing::Values(16, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param) + "bpp";
                         });

TEST(BitmapDecoderNativeDepth, KeepsEveryBitOfAPixelAtItsOwnDepth) {
  useColorDepth(16);
  Picture sixteen = decode(fileHeader(66) + windowsHeader(1, 1, 16, kBitFields) + le32(0xF800) +
                           le32(0x07E0) + le32(0x001F) + le16(0x1234) + bytes({0, 0}));
  ASSERT_NE(sixteen, nullptr);
  EXPECT_EQ(getpixel(sixteen.get(), 0, 0),
            (0x02 << _rgb_r_shift_16) | (0x11 << _rgb_g_shift_16) | (0x14 << _rgb_b_shift_16));

  useColorDepth(32);
  Picture thirtyTwo = decode(fileHeader(66) + windowsHeader(1, 1, 32, kBitFields) + le32(0xFF0000) +
                             le32(0xFF00) + le32(0xFF) + le32(0x00123456));
  ASSERT_NE(thirtyTwo, nullptr);
  EXPECT_EQ(getpixel(thirtyTwo.get(), 0, 0),
            (0x12 << _rgb_r_shift_32) | (0x34 << _rgb_g_shift_32) | (0x56 << _rgb_b_shift_32));
}

TEST(HostileBitmap, RunsNeverWriteOutsideTheBitmap) {
  useColorDepth(32);
  struct Case {
    const char* what;
    bool fourBit;
    std::string codes;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"a run past the right edge ends its line", false, bytes({255, 1, 2, 2, 0, 1}),
       {"KKKK", "GGKK", "RRRR"}},
      {"an absolute run past the right edge", false,
       bytes({0, 9, 1, 2, 1, 2, 1, 2, 1, 2, 1, 0x77, 3, 2, 0, 1}), {"KKKK", "GGGK", "RGRG"}},
      {"a delta above the top stops decoding", false, bytes({1, 2, 0, 2, 0, 200, 4, 1, 0, 1}),
       {"KKKK", "KKKK", "GKKK"}},
      {"a delta past the right edge ends its line", false, bytes({1, 2, 0, 2, 250, 0, 1, 1, 0, 1}),
       {"KKKK", "RKKK", "GKKK"}},
      {"a delta to the right edge keeps its line until it runs past", false,
       bytes({0, 2, 4, 0, 1, 2, 1, 1, 1, 2, 0, 1}), {"KKKK", "GKKK", "KKKK"}},
      {"RLE4 run past the edge", true, bytes({200, 0x12, 0, 1}), {"KKKK", "KKKK", "RGRG"}},
      {"RLE4 absolute run past the edge", true,
       bytes({0, 7, 0x12, 0x12, 0x12, 0x10, 1, 0x20, 0, 1}), {"KKKK", "GKKK", "RGRG"}},
      {"codes that end without an end of bitmap", false, bytes({2, 1}), {"KKKK", "KKKK", "RRKK"}},
  };
  for (const Case& c : cases) {
    std::string file = fileHeader(66) +
                       windowsHeader(4, 3, c.fourBit ? 4 : 8, c.fourBit ? kRle4 : kRle8) +
                       windowsPalette("KRG") + c.codes;
    expectPicture(decode(file).get(), c.expected, c.what);
  }
}

TEST(HostileBitmap, TheScratchPaletteStartsBlack) {
  useColorDepth(32);
  // An all-white palette, then a picture using index 5 that it never gave a
  // colour: a palette left as it was on the stack would still hold white.
  expectPicture(decode(fileHeader(54 + 1024) + windowsHeader(1, 1, 8, kRgb) +
                       windowsPalette(std::string(256, 'W')) + bytes({5, 0, 0, 0}))
                    .get(),
                {"W"}, "all white");
  expectPicture(decode(fileHeader(58) + windowsHeader(1, 1, 8, kRgb) + windowsPalette("R") +
                       bytes({5, 0, 0, 0}))
                    .get(),
                {"K"}, "an entry the file does not give");
}

TEST(HostileBitmap, CutFilesAreRefusedOrDecodedWithinTheirBytes) {
  useColorDepth(16);
  const std::string samples[] = {
      fileHeader(62) + windowsHeader(33, 2, 1, kRgb) + windowsPalette("BY") +
          std::string(16, '\x5A'),
      fileHeader(70) + windowsHeader(5, 2, 4, kRgb) + windowsPalette("KRGB") +
          std::string(8, '\x12'),
      fileHeader(54) + windowsHeader(3, 2, 24, kRgb) + std::string(24, '\x80'),
      fileHeader(62) + windowsHeader(4, 3, 8, kRle8) + windowsPalette("KW") +
          bytes({4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 1, 1, 2, 1, 0, 1}),
      fileHeader(62) + windowsHeader(5, 3, 4, kRle4) + windowsPalette("KW") +
          bytes({5, 0x10, 0, 0, 0, 5, 0x10, 0x10, 0x10, 0, 0, 2, 2, 1, 1, 0x11, 0, 1}),
      fileHeader(66) + windowsHeader(3, 2, 16, kBitFields) + le32(0xF800) + le32(0x07E0) +
          le32(0x001F) + std::string(16, '\x3C'),
      fileHeader(26 + 6) + os2Header(9, 2, 1) + os2Palette("RG") + std::string(8, '\xA5'),
  };
  for (const std::string& file : samples) {
    Picture whole = decode(file);
    ASSERT_NE(whole, nullptr) << "sample of " << file.size() << " bytes";
    for (std::size_t length = 0; length < file.size(); ++length) {
      Picture cut = decode(file.substr(0, length));
      if (cut) {
        EXPECT_EQ((std::vector<int>{cut->w, cut->h}), (std::vector<int>{whole->w, whole->h}));
      }
    }
    EXPECT_EQ(decode(file.substr(0, 30)), nullptr) << "cut inside the headers";
  }
}

}  // namespace
}  // namespace vek
