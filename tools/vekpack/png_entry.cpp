#include "png_entry.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <unordered_set>

#include "bmp_writer.h"
#include "resources/bmp_decoder.h"
#include "resources/png_reader.h"
#include "tile_image.h"

namespace vek {
namespace {

constexpr Rgb kMaskColour{255, 0, 255};

TileImage opaqueImage(const RgbaImage& png) {
  TileImage image(png.width, png.height, kMaskColour);
  const std::uint8_t* pixel = png.rgba.data();
  for (int y = 0; y < png.height; ++y) {
    for (int x = 0; x < png.width; ++x, pixel += 4) {
      if (pixel[3] >= 128) image.set(x, y, Rgb{pixel[0], pixel[1], pixel[2]});
    }
  }
  return image;
}

bool fitsPalette(const TileImage& image) {
  std::unordered_set<std::uint32_t> seen;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      Rgb c = image.get(x, y);
      seen.insert(std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b);
      if (seen.size() > 256) return false;
    }
  }
  return true;
}

}  // namespace

bool bmpEntryFromPng(const std::string& png, std::string& bmp, std::string& reason) {
  RgbaImage decoded;
  if (!readPng(reinterpret_cast<const unsigned char*>(png.data()), png.size(), kMaxBitmapSide,
               decoded, reason)) {
    return false;
  }
  TileImage image = opaqueImage(decoded);
  BmpEncoding encoding = fitsPalette(image) ? BmpEncoding::Indexed8 : BmpEncoding::Rgb24;
  if (!encodeBmp(image, encoding, bmp)) {
    reason = "cannot be coded as a BMP picture";
    return false;
  }
  return true;
}

bool isPngFileName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return end == ".png";
}

std::string bmpEntryName(const std::string& pngName) {
  return pngName.substr(0, pngName.size() - 4) + ".bmp";
}

}  // namespace vek
