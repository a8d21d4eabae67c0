#include "resources/bitmap_decoder.h"

#include <allegro/internal/aintern.h>

namespace vek {
namespace {

// Allegro keeps palette components as 0 to 63.
RGB allegroPaletteEntry(const RasterColour& colour) {
  return RGB{static_cast<unsigned char>(colour.r / 4), static_cast<unsigned char>(colour.g / 4),
             static_cast<unsigned char>(colour.b / 4), 0};
}

int composePixel(const RasterColour& c, PixelLayout layout) {
  switch (layout) {
    case PixelLayout::Rgb555:
      return static_cast<int>((narrowComponent(c.r, 5) << _rgb_r_shift_15) |
                              (narrowComponent(c.g, 5) << _rgb_g_shift_15) |
                              (narrowComponent(c.b, 5) << _rgb_b_shift_15));
    case PixelLayout::Rgb565:
      return static_cast<int>((narrowComponent(c.r, 5) << _rgb_r_shift_16) |
                              (narrowComponent(c.g, 6) << _rgb_g_shift_16) |
                              (narrowComponent(c.b, 5) << _rgb_b_shift_16));
    case PixelLayout::Rgb888:
      return (c.r << _rgb_r_shift_24) | (c.g << _rgb_g_shift_24) | (c.b << _rgb_b_shift_24);
    default:
      return (c.r << _rgb_r_shift_32) | (c.g << _rgb_g_shift_32) | (c.b << _rgb_b_shift_32);
  }
}

void fillPixels(const RasterImage& image, BITMAP* bitmap) {
  for (int y = 0; y < image.height; ++y) {
    std::size_t row = static_cast<std::size_t>(y) * image.width;
    for (int x = 0; x < image.width; ++x) {
      if (image.indexed()) {
        _putpixel(bitmap, x, y, image.indices[row + x]);
        continue;
      }
      int colour = composePixel(image.pixels[row + x], image.layout);
      switch (image.layout) {
        case PixelLayout::Rgb555:
          _putpixel15(bitmap, x, y, colour);
          break;
        case PixelLayout::Rgb565:
          _putpixel16(bitmap, x, y, colour);
          break;
        case PixelLayout::Rgb888:
          _putpixel24(bitmap, x, y, colour);
          break;
        default:
          _putpixel32(bitmap, x, y, colour);
          break;
      }
    }
  }
}

}  // namespace

BITMAP* makeAllegroBitmap(const RasterImage& image, PALETTE* palette) {
  PALETTE scratch = {};  // black wherever the file gives no colour
  RGB* inUse = palette ? *palette : scratch;
  for (int i = 0; i < image.paletteCount; ++i) inUse[i] = allegroPaletteEntry(image.palette[i]);

  int sourceDepth = static_cast<int>(image.layout);
  BITMAP* bitmap = create_bitmap_ex(sourceDepth, image.width, image.height);
  if (!bitmap) return nullptr;
  fillPixels(image, bitmap);

  int destinationDepth = _color_load_depth(sourceDepth, FALSE);
  if (destinationDepth != sourceDepth) {
    // An 8-bit picture always converts through its own palette.
    RGB* conversionPalette = sourceDepth != 8 && !palette ? nullptr : inUse;
    bitmap = _fixup_loaded_bitmap(bitmap, conversionPalette, destinationDepth);
    if (!bitmap) return nullptr;
  }
  if (palette && sourceDepth != 8 && destinationDepth != 8) generate_332_palette(*palette);
  return bitmap;
}

BITMAP* decodeBitmap(const unsigned char* data, std::size_t size, PALETTE* palette,
                     std::string* reason) {
  RasterImage image;
  std::string why;
  if (!decodeBmp(data, size, image, why)) {
    if (reason) *reason = why;
    return nullptr;
  }
  BITMAP* bitmap = makeAllegroBitmap(image, palette);
  if (!bitmap && reason) *reason = "Allegro cannot make a bitmap of its size";
  return bitmap;
}

}  // namespace vek
