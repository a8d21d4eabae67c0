// BMP entries from anywhere, decoded at 16 bits without a palette and 32 with
// one: no read past the entry, no write outside the bitmap, accepted sizes.
#include <allegro.h>

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "headless_allegro.h"
#include "resources/bitmap_decoder.h"

namespace {

using vek::fuzz::require;

void decodeAt(int depth, const std::uint8_t* data, std::size_t size) {
  set_color_depth(depth);
  PALETTE palette;
  BITMAP* bitmap = vek::decodeBitmap(data, size, depth == 32 ? &palette : nullptr);
  if (!bitmap) return;
  require(bitmap_color_depth(bitmap) == depth, "the bitmap has the screen's depth");
  require(bitmap->w >= 1 && bitmap->w <= vek::kMaxBitmapSide && bitmap->h >= 1 &&
              bitmap->h <= vek::kMaxBitmapSide,
          "the bitmap has an accepted size");
  // Reads the corners, so a bitmap whose lines are not all there shows up.
  getpixel(bitmap, 0, 0);
  getpixel(bitmap, bitmap->w - 1, bitmap->h - 1);
  destroy_bitmap(bitmap);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vek::test::startHeadlessAllegro();
  return 0;
}

// The core alone: a picture whose pixels fill its size, or a reason.
void decodePlain(const std::uint8_t* data, std::size_t size) {
  vek::RasterImage image;
  std::string reason;
  if (!vek::decodeBmp(data, size, image, reason)) {
    require(!reason.empty(), "a refusal says why");
    return;
  }
  std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
  require((image.indexed() ? image.indices.size() : image.pixels.size()) == pixels,
          "the pixels fill the picture");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  decodePlain(data, size);
  decodeAt(16, data, size);
  decodeAt(32, data, size);
  return 0;
}
