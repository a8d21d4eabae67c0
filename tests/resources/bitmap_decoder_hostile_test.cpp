// Bitmaps that cannot be right: refused, or decoded without reading past the
// entry or writing outside the bitmap (the sanitizer build checks both).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bmp_bytes.h"
#include "headless_allegro.h"
#include "resources/bitmap_decoder.h"

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

// One valid file of every encoding, for cutting and damaging.
std::vector<std::string> sampleFiles() {
  return {
      fileHeader(62) + windowsHeader(33, 2, 1, kRgb) + windowsPalette("BY") +
          std::string(16, '\x5A'),
      fileHeader(70) + windowsHeader(5, 2, 4, kRgb) + windowsPalette("KRGB") +
          std::string(8, '\x12'),
      fileHeader(62) + windowsHeader(3, 2, 8, kRgb) + windowsPalette("KW") +
          bytes({1, 0, 1, 0, 0, 1, 0, 0}),
      fileHeader(54) + windowsHeader(3, 2, 24, kRgb) + std::string(24, '\x80'),
      fileHeader(62) + windowsHeader(4, 3, 8, kRle8) + windowsPalette("KW") +
          bytes({4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 1, 1, 2, 1, 0, 1}),
      fileHeader(62) + windowsHeader(5, 3, 4, kRle4) + windowsPalette("KW") +
          bytes({5, 0x10, 0, 0, 0, 5, 0x10, 0x10, 0x10, 0, 0, 2, 2, 1, 1, 0x11, 0, 1}),
      fileHeader(66) + windowsHeader(3, 2, 16, kBitFields) + le32(0xF800) + le32(0x07E0) +
          le32(0x001F) + std::string(16, '\x3C'),
      fileHeader(66) + windowsHeader(2, 2, 32, kBitFields) + le32(0xFF0000) + le32(0xFF00) +
          le32(0xFF) + std::string(16, '\x3C'),
      fileHeader(26 + 6) + os2Header(9, 2, 1) + os2Palette("RG") + std::string(8, '\xA5'),
  };
}

TEST(HostileBitmap, RefusesDimensionsOutsideOneTo4096) {
  test::useColorDepth(32);
  struct Case {
    const char* what;
    std::string file;
  };
  const std::string pixel = bgr('R') + bytes({0});
  const Case cases[] = {
      {"width 0", fileHeader(54) + windowsHeader(0, 1, 24, kRgb) + pixel},
      {"width -1", fileHeader(54) + windowsHeader(-1, 1, 24, kRgb) + pixel},
      {"width 4097", fileHeader(54) + windowsHeader(4097, 1, 24, kRgb) + pixel},
      {"height 0", fileHeader(54) + windowsHeader(1, 0, 24, kRgb) + pixel},
      {"height 0x7FFFFFFF", fileHeader(54) + windowsHeader(1, 0x7FFFFFFF, 24, kRgb) + pixel},
      {"width and height INT_MIN",
       fileHeader(54) + windowsHeader(INT32_MIN, INT32_MIN, 24, kRgb) + pixel},
      {"OS/2 width 0", fileHeader(26) + os2Header(0, 1, 24) + pixel},
      {"OS/2 height 0", fileHeader(26) + os2Header(1, 0, 24) + pixel},
      {"OS/2 width 65535", fileHeader(26) + os2Header(65535, 1, 24) + pixel},
  };
  for (const Case& c : cases) EXPECT_EQ(decode(c.file), nullptr) << c.what;

  Picture widest =
      decode(fileHeader(54) + windowsHeader(4096, 1, 24, kRgb) + std::string(4096 * 3, '\0'));
  ASSERT_NE(widest, nullptr) << "4,096 is allowed";
  EXPECT_EQ(widest->w, 4096);
}

TEST(HostileBitmap, PaletteCountsFromTheOffsetAreCheckedAndCapped) {
  test::useColorDepth(32);
  const std::string pixels = bytes({1, 0, 0, 0});
  EXPECT_EQ(decode(fileHeader(53) + windowsHeader(1, 1, 8, kRgb) + pixels), nullptr);
  EXPECT_EQ(decode(fileHeader(0) + windowsHeader(1, 1, 8, kRgb) + pixels), nullptr);
  EXPECT_EQ(decode(fileHeader(25) + os2Header(1, 1, 8) + pixels), nullptr);
  EXPECT_EQ(decode(fileHeader(54 + 4 * 300) + windowsHeader(1, 1, 8, kRgb) + windowsPalette("KW")),
            nullptr)
      << "a palette that the data cannot hold is refused";

  // 300 entries: the first 256 are the palette, the rest are read past, and
  // the pixels follow them.
  std::string entries = windowsPalette("KG") + windowsPalette(std::string(298, 'R'));
  Picture picture = decode(fileHeader(54 + 4 * 300) + windowsHeader(2, 1, 8, kRgb) + entries +
                           bytes({1, 0, 0, 0}));
  expectPicture(picture.get(), {"GK"}, "300 palette entries");
}

TEST(HostileBitmap, RunsNeverWriteOutsideTheBitmap) {
  test::useColorDepth(32);
  struct Case {
    const char* what;
    bool fourBit;
    std::string codes;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"a run past the right edge ends its line",
       false,
       bytes({255, 1, 2, 2, 0, 1}),
       {"KKKK", "GGKK", "RRRR"}},
      {"an absolute run past the right edge",
       false,
       bytes({0, 9, 1, 2, 1, 2, 1, 2, 1, 2, 1, 0x77, 3, 2, 0, 1}),
       {"KKKK", "GGGK", "RGRG"}},
      {"a delta above the top stops decoding",
       false,
       bytes({1, 2, 0, 2, 0, 200, 4, 1, 0, 1}),
       {"KKKK", "KKKK", "GKKK"}},
      {"a delta past the right edge ends its line",
       false,
       bytes({1, 2, 0, 2, 250, 0, 1, 1, 0, 1}),
       {"KKKK", "RKKK", "GKKK"}},
      {"a delta to the right edge keeps its line until it runs past",
       false,
       bytes({0, 2, 4, 0, 1, 2, 1, 1, 1, 2, 0, 1}),
       {"KKKK", "GKKK", "KKKK"}},
      {"RLE4 run past the edge", true, bytes({200, 0x12, 0, 1}), {"KKKK", "KKKK", "RGRG"}},
      {"RLE4 absolute run past the edge",
       true,
       bytes({0, 7, 0x12, 0x12, 0x12, 0x10, 1, 0x20, 0, 1}),
       {"KKKK", "GKKK", "RGRG"}},
      {"codes that end without an end of bitmap", false, bytes({2, 1}), {"KKKK", "KKKK", "RRKK"}},
  };
  for (const Case& c : cases) {
    std::string file = fileHeader(66) +
                       windowsHeader(4, 3, c.fourBit ? 4 : 8, c.fourBit ? kRle4 : kRle8) +
                       windowsPalette("KRG") + c.codes;
    Picture picture = decode(file);
    expectPicture(picture.get(), c.expected, c.what);
  }
}

TEST(HostileBitmap, TheScratchPaletteStartsBlack) {
  test::useColorDepth(32);
  // A first image fills the palette with white; the second, decoded right
  // after it, supplies one entry and uses index 5, which it never gave a
  // colour. Nothing runs between the two calls, so a palette left as it was
  // on the stack would still hold the first image's white.
  const std::string whiteFile = fileHeader(54 + 1024) + windowsHeader(1, 1, 8, kRgb) +
                                windowsPalette(std::string(256, 'W')) + bytes({5, 0, 0, 0});
  const std::string unsuppliedFile =
      fileHeader(58) + windowsHeader(1, 1, 8, kRgb) + windowsPalette("R") + bytes({5, 0, 0, 0});
  const auto* white = reinterpret_cast<const unsigned char*>(whiteFile.data());
  const auto* unsupplied = reinterpret_cast<const unsigned char*>(unsuppliedFile.data());
  Picture first(decodeBitmap(white, whiteFile.size(), nullptr));
  Picture second(decodeBitmap(unsupplied, unsuppliedFile.size(), nullptr));
  expectPicture(first.get(), {"W"}, "all white");
  expectPicture(second.get(), {"K"}, "an entry the file does not give");
}

TEST(HostileBitmap, CutFilesAreRefusedOrDecodedWithinTheirBytes) {
  test::useColorDepth(16);
  for (const std::string& file : sampleFiles()) {
    Picture whole = decode(file);
    ASSERT_NE(whole, nullptr) << "sample of " << file.size() << " bytes";
    for (std::size_t length = 0; length < file.size(); ++length) {
      Picture cut = decode(file.substr(0, length));
      if (cut) {
        EXPECT_EQ(cut->w, whole->w);
        EXPECT_EQ(cut->h, whole->h);
      }
    }
    EXPECT_EQ(decode(file.substr(0, 30)), nullptr) << "cut inside the headers";
  }
}

}  // namespace
}  // namespace vek
