#pragma once

#include <allegro.h>

#include <cstddef>

namespace vek {

// Width and height above this are refused: a tile picture is 18 x 20, and a
// header must not be able to ask for a bitmap of gigabytes.
inline constexpr int kMaxBitmapSide = 4096;

// Decodes a Windows BMP file held in memory (the bytes of an archive entry)
// into a new bitmap, owned by the caller, converted to the depth Allegro
// wants for loaded images (the current colour depth). Null when the file is
// refused.
//
// Accepted: the "BM" file header with a 40-byte Windows or 12-byte OS/2
// information header; 1, 4, 8 and 24 bits uncompressed, RLE8 and RLE4, and
// bit fields whose masks make 15, 16 or 32-bit pixels. Rows are bottom-up;
// the pixel data follows the palette (or the masks) directly. Nothing is
// ever read past size bytes: a file cut short in its headers, palette or
// masks is refused; pixel data that ends early leaves the rest of the
// bitmap 0. Refused besides: other header sizes or masks, compression above
// 3, run-length data whose bit count says 16 or 24 bits, a pixel data offset
// that ends before the headers, and a width or height that is not 1 to
// kMaxBitmapSide.
//
// palette, when given, receives the image's colours (or a 3-3-2 palette for
// a true-colour image); without it a palette that starts black is used for
// the conversion.
BITMAP* decodeBitmap(const unsigned char* data, std::size_t size, PALETTE* palette);

}  // namespace vek
