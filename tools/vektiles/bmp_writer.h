#pragma once

#include <string>
#include <vector>

#include "tile_image.h"

namespace vek {

// The BMP variants the tile set is written in: every variant the editor's
// decoder reads.
enum class BmpEncoding {
  Mono,         // 1 bit, Windows header
  Indexed4,     // 4 bits
  Indexed8,     // 8 bits
  Rle8,         // 8 bits, run-length coded
  Rle4,         // 4 bits, run-length coded
  Rgb24,        // 24 bits
  BitFields15,  // 16-bit pixels, 5-5-5 masks
  BitFields16,  // 16-bit pixels, 5-6-5 masks
  BitFields32,  // 32-bit pixels, 8-8-8 masks
  Os2Mono,      // 1 bit, OS/2 header
  Os2Indexed4,  // 4 bits, OS/2 header
  Os2Indexed8,  // 8 bits, OS/2 header
  Os2Rgb24,     // 24 bits, OS/2 header
};

inline constexpr BmpEncoding kAllBmpEncodings[] = {
    BmpEncoding::Mono,        BmpEncoding::Indexed4,    BmpEncoding::Indexed8,
    BmpEncoding::Rle8,        BmpEncoding::Rle4,        BmpEncoding::Rgb24,
    BmpEncoding::BitFields15, BmpEncoding::BitFields16, BmpEncoding::BitFields32,
    BmpEncoding::Os2Mono,     BmpEncoding::Os2Indexed4, BmpEncoding::Os2Indexed8,
    BmpEncoding::Os2Rgb24};

const char* encodingName(BmpEncoding encoding);

// Colours a picture may have in this encoding without losing any: 2, 16 or
// 256 for palette encodings, 0 for true-colour ones (no limit).
int paletteCapacity(BmpEncoding encoding);

// The whole BMP file of image in encoding, rows bottom-up, the pixel data
// right after the palette or masks. Palette encodings hold the picture's own
// colours; false when it has more than the palette holds. 15 and 16-bit
// pixels keep the top 5 or 6 bits of each component.
bool encodeBmp(const TileImage& image, BmpEncoding encoding, std::string& file);

}  // namespace vek
