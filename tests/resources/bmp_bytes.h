#pragma once

// BMP files built byte by byte for the decoder's tests, and pictures read
// back as rows of colour letters.
#include <allegro.h>

#include <string>
#include <vector>

#include "archive_bytes.h"
#include "bitmap_checks.h"
#include "resources/bitmap_decoder.h"

namespace vek::test {

// The colour letters: pure colours, which every depth and palette conversion
// keeps exactly. Bit 0 of a letter's place here is red, bit 1 green, bit 2 blue.
constexpr const char* kLetters = "KRGYBMCW";

inline int component(char letter, unsigned bit) {
  return std::string(kLetters).find(letter) & bit ? 255 : 0;
}

inline int colourOfLetter(char letter, int depth) {
  return makecol_depth(depth, component(letter, 1), component(letter, 2), component(letter, 4));
}

// A letter's colour as a BMP stores it: blue, green, red.
inline std::string bgr(char letter) {
  return {static_cast<char>(component(letter, 4)), static_cast<char>(component(letter, 2)),
          static_cast<char>(component(letter, 1))};
}

// A palette: four bytes an entry (the fourth reserved), or three in OS/2 files.
inline std::string palette(const std::string& letters, bool os2 = false) {
  std::string out;
  for (char letter : letters) out += os2 ? bgr(letter) : bgr(letter) + '\x5A';
  return out;
}

inline std::string fileHeader(std::uint32_t pixelOffset) {
  return "BM" + le32(0) + le32(0) + le32(pixelOffset);
}

// The 40-byte header; resolutions and colour counts, which nothing reads, are 0.
inline std::string windowsHeader(std::int32_t width, std::int32_t height, int bitCount,
                                 std::uint32_t compression) {
  return le32(40) + le32(static_cast<std::uint32_t>(width)) +
         le32(static_cast<std::uint32_t>(height)) + le16(1) + le16(bitCount) + le32(compression) +
         std::string(20, '\0');
}

inline std::string os2Header(std::uint16_t width, std::uint16_t height, int bitCount) {
  return le32(12) + le16(width) + le16(height) + le16(1) + le16(bitCount);
}

inline std::string bytes(std::initializer_list<int> values) {
  return std::string(values.begin(), values.end());
}

enum { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Decodes a copy of the file in a heap block of its own size: a read past it is caught.
inline BitmapPtr decode(const std::string& file, std::string* reason = nullptr) {
  std::vector<unsigned char> data(file.begin(), file.end());
  return BitmapPtr(decodeBitmap(data.data(), data.size(), nullptr, reason));
}

// The picture as rows of colour letters, top row first ('?': another colour); none: no rows.
inline std::vector<std::string> letterRows(BITMAP* bitmap) {
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

}  // namespace vek::test
