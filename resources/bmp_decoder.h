#pragma once

#include <cstddef>
#include <string>

#include "resources/raster_image.h"

namespace vek {

// Width and height above this are refused: a tile picture is 18 x 20, and a
// header must not be able to ask for a picture of gigabytes.
inline constexpr int kMaxBitmapSide = 4096;

// Decodes a Windows BMP file held in memory (the bytes of an archive entry)
// into plain pixels. False, with a short reason for a person ("unsupported
// header size 64", "RLE8 data past the end"), when the file is refused;
// image is then unspecified.
//
// Accepted: the "BM" file header with a 12-byte OS/2 or a 40, 108 or
// 124-byte Windows information header; 1, 4, 8, 16 (5-5-5), 24 and 32-bit
// (8-8-8, the fourth byte dropped) uncompressed pixels, RLE8 and RLE4, and
// bit fields whose masks make 5-5-5, 5-6-5 or 8-8-8 pixels. Rows are
// bottom-up, or top-down for a negative height (not with run-length data).
// With the 12 and 40-byte headers the pixels follow the palette (or the
// masks) directly; with the larger ones they start at the pixel data
// offset. Uncompressed bit counts other than these read no pixels and give
// a picture of index 0.
//
// Nothing is ever read past size bytes. Refused besides: other header sizes
// or masks, compression above 3, run-length data whose bit count says 16 or
// 24 bits, a pixel data offset that ends before the headers, a width or
// height that is not 1 to kMaxBitmapSide, and pixel data cut short (run-
// length codes may end early between two codes: the rest stays index 0).
bool decodeBmp(const unsigned char* data, std::size_t size, RasterImage& image,
               std::string& reason);

}  // namespace vek
