#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vek {

struct RasterColour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const RasterColour& other) const {
    return r == other.r && g == other.g && b == other.b;
  }
  bool operator!=(const RasterColour& other) const { return !(*this == other); }
};

// How a picture's pixels were stored, which is what a conversion to a
// screen depth needs to know: palette indices, or true colour with 5, 6 or 8
// bits a component.
enum class PixelLayout {
  Indexed = 8,  // indices into the palette
  Rgb555 = 15,
  Rgb565 = 16,
  Rgb888 = 24,  // three bytes a pixel in the file
  Rgb888x = 32  // four bytes a pixel in the file, the fourth dropped
};

// A decoded picture as plain pixels, top row first, free of any drawing
// library. 5 and 6-bit components are widened to 8 bits (widenComponent),
// so the stored bits come back by narrowComponent.
struct RasterImage {
  int width = 0;
  int height = 0;
  PixelLayout layout = PixelLayout::Indexed;
  // The colours the file gave, 8 bits a component, in file order; entries
  // past paletteCount are black. Read for every layout, used by Indexed.
  std::array<RasterColour, 256> palette{};
  int paletteCount = 0;
  std::vector<std::uint8_t> indices;  // Indexed: width x height
  std::vector<RasterColour> pixels;   // true colour: width x height

  bool indexed() const { return layout == PixelLayout::Indexed; }
  RasterColour colourAt(int x, int y) const {
    std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x;
    return indexed() ? palette[indices[at]] : pixels[at];
  }
  // Every pixel's colour as red, green and blue bytes, top row first (what
  // the PNG writer takes).
  std::string rgbBytes() const {
    std::string rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        RasterColour c = colourAt(x, y);
        rgb += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
      }
    }
    return rgb;
  }
};

// A component of the given bit width (5 to 8) widened to 8 bits by
// repeating its top bits, as drawing programs do, and back.
inline std::uint8_t widenComponent(unsigned value, int bits) {
  return static_cast<std::uint8_t>((value << (8 - bits)) | (value >> (2 * bits - 8)));
}
inline unsigned narrowComponent(std::uint8_t value, int bits) { return value >> (8 - bits); }

}  // namespace vek
