#pragma once

// BMP files built byte by byte for the decoder's tests, and pixel checks
// against pictures written as rows of colour letters.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "archive_bytes.h"
#include "bitmap_checks.h"
#include "resources/bitmap_decoder.h"

namespace vek::test {

// The colour letters of the expected pictures: pure colours, which every
// depth and palette conversion keeps exactly.
struct Letter {
  char letter;
  int r, g, b;
};
inline const Letter* findLetter(char letter) {
  static const Letter kLetters[] = {{'K', 0, 0, 0},     {'R', 255, 0, 0},   {'G', 0, 255, 0},
                                    {'B', 0, 0, 255},   {'Y', 255, 255, 0}, {'C', 0, 255, 255},
                                    {'M', 255, 0, 255}, {'W', 255, 255, 255}};
  for (const Letter& l : kLetters)
    if (l.letter == letter) return &l;
  return &kLetters[0];
}

inline int colourOfLetter(char letter, int depth) {
  const Letter* l = findLetter(letter);
  return makecol_depth(depth, l->r, l->g, l->b);
}

// One palette entry in the file's order: blue, green, red.
inline std::string bgr(char letter) {
  const Letter* l = findLetter(letter);
  return {static_cast<char>(l->b), static_cast<char>(l->g), static_cast<char>(l->r)};
}

// A Windows palette: four bytes an entry, the fourth reserved.
inline std::string windowsPalette(const std::string& letters) {
  std::string palette;
  for (char letter : letters) palette += bgr(letter) + '\x5A';
  return palette;
}

// An OS/2 palette: three bytes an entry.
inline std::string os2Palette(const std::string& letters) {
  std::string palette;
  for (char letter : letters) palette += bgr(letter);
  return palette;
}

inline std::string fileHeader(std::uint32_t pixelOffset) {
  return "BM" + le32(0) + le16(0) + le16(0) + le32(pixelOffset);
}

inline std::string windowsHeader(std::int32_t width, std::int32_t height, int bitCount,
                                 std::uint32_t compression) {
  return le32(40) + le32(static_cast<std::uint32_t>(width)) +
         le32(static_cast<std::uint32_t>(height)) + le16(1) + le16(bitCount) + le32(compression) +
         le32(0) + le32(2835) + le32(2835) + le32(0) + le32(0);
}

inline std::string os2Header(std::uint16_t width, std::uint16_t height, int bitCount) {
  return le32(12) + le16(width) + le16(height) + le16(1) + le16(bitCount);
}

inline std::string bytes(std::initializer_list<int> values) {
  return std::string(values.begin(), values.end());
}

// Checks every pixel of bitmap against rows of colour letters, top row first.
inline void expectPicture(BITMAP* bitmap, const std::vector<std::string>& rows,
                          const std::string& what) {
  ASSERT_NE(bitmap, nullptr) << what;
  ASSERT_EQ(bitmap->h, static_cast<int>(rows.size())) << what;
  ASSERT_EQ(bitmap->w, static_cast<int>(rows[0].size())) << what;
  int depth = bitmap_color_depth(bitmap);
  for (int y = 0; y < bitmap->h; ++y) {
    for (int x = 0; x < bitmap->w; ++x) {
      EXPECT_EQ(getpixel(bitmap, x, y), colourOfLetter(rows[y][x], depth))
          << what << ": pixel (" << x << ", " << y << ") should be " << rows[y][x];
    }
  }
}

// Compression values of the BMP information header.
enum { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };
using Picture = BitmapPtr;

// Decodes a heap copy of the file, so that a read past its length is a read
// past a heap block of its own.
inline Picture decode(const std::string& file, std::string* reason = nullptr) {
  std::unique_ptr<unsigned char[]> data(new unsigned char[file.size() + 1]);
  std::memcpy(data.get(), file.data(), file.size());
  return Picture(decodeBitmap(data.get(), file.size(), nullptr, reason));
}

}  // namespace vek::test
