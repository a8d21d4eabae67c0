// BMP entries from anywhere, decoded at 16 bits without a palette and 32 with
// one: no read past the entry, no write outside the bitmap, accepted sizes.
#include <allegro.h>

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "headless_allegro.h"
#include "resources/bitmap_decoder.h"

using vek::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vek::test::startHeadlessAllegro();
  // The core alone: a picture whose pixels fill its size, or a reason.
  vek::RasterImage image;
  std::string reason;
  bool decoded = vek::decodeBmp(data, size, image, reason);
  require(decoded || !reason.empty(), "a refusal says why");
  std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
  require(!decoded || (image.indexed() ? image.indices.size() : image.pixels.size()) == pixels,
          "the pixels fill the picture");
  for (int depth : {16, 32}) {
    set_color_depth(depth);
    PALETTE palette;
    BITMAP* bitmap = vek::decodeBitmap(data, size, depth == 32 ? &palette : nullptr);
    if (!bitmap) continue;
    require(bitmap_color_depth(bitmap) == depth, "the bitmap has the screen's depth");
    require(bitmap->w >= 1 && bitmap->w <= vek::kMaxBitmapSide && bitmap->h >= 1 &&
                bitmap->h <= vek::kMaxBitmapSide,
            "the bitmap has an accepted size");
    // The corners, so a bitmap whose lines are not all there shows up.
    getpixel(bitmap, 0, 0);
    getpixel(bitmap, bitmap->w - 1, bitmap->h - 1);
    destroy_bitmap(bitmap);
  }
  return 0;
}
