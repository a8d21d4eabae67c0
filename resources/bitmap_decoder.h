#pragma once

#include <allegro.h>

#include <cstddef>
#include <string>

#include "resources/bmp_decoder.h"
#include "resources/raster_image.h"

namespace vek {

// Makes the Allegro bitmap of a decoded picture, owned by the caller: first
// at the picture's own depth (8 bits for palette indices, 15, 16, 24 or 32
// for true colour), then converted to the depth Allegro wants for loaded
// images (the current colour depth). Null when Allegro cannot make it.
//
// palette, when given, receives the picture's palette entries (the rest of
// it is left as it was), or a 3-3-2 palette for a true-colour picture; an
// 8-bit picture always converts through its own colours, with entries the
// file did not give black.
BITMAP* makeAllegroBitmap(const RasterImage& image, PALETTE* palette);

// decodeBmp, then makeAllegroBitmap: null when the file is refused (reason,
// when given, then says why) or the bitmap cannot be made.
BITMAP* decodeBitmap(const unsigned char* data, std::size_t size, PALETTE* palette,
                     std::string* reason = nullptr);

}  // namespace vek
