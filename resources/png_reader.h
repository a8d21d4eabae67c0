#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vek {

// A PNG picture as 8-bit red, green, blue and alpha, top row first.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width x height x 4
};

// Decodes PNG bytes of any colour type and bit depth. False, with the
// reason, for what is not a PNG, a damaged one, or one wider or taller than
// maxSide (checked before the pixels are allocated).
bool readPng(const unsigned char* data, std::size_t size, int maxSide, RgbaImage& image,
             std::string& reason);

// True when the bytes start with the PNG signature.
bool looksLikePng(const unsigned char* data, std::size_t size);

}  // namespace vek
