#include "resources/tile_pictures.h"

#include <string>

#include "resources/bmp_decoder.h"

namespace vek {
namespace {

constexpr int kSampleX = 5;
constexpr int kSampleY = 5;

}  // namespace

int TilePictures::load(DataArchive& archive) {
  int loaded = 0;
  for (int code = 0; code < 256; ++code) {
    cells_[code].clear();
    samples_[code] = RasterColour{};
    std::size_t size = 0;
    const unsigned char* bytes = archive.entryData((std::to_string(code) + ".bmp").c_str(), &size);
    RasterImage image;
    std::string reason;
    if (!bytes || !decodeBmp(bytes, size, image, reason)) continue;
    std::vector<std::uint8_t>& cell = cells_[code];
    cell.assign(static_cast<std::size_t>(kCellRowBytes) * kCellHeight, 0);
    for (int y = 0; y < kCellHeight && y < image.height; ++y) {
      for (int x = 0; x < kCellWidth && x < image.width; ++x) {
        RasterColour colour = image.colourAt(x, y);
        std::uint8_t* pixel = &cell[static_cast<std::size_t>(y * kCellRowBytes + x * 3)];
        pixel[0] = colour.r;
        pixel[1] = colour.g;
        pixel[2] = colour.b;
      }
    }
    if (image.width > kSampleX && image.height > kSampleY) {
      samples_[code] = image.colourAt(kSampleX, kSampleY);
    }
    ++loaded;
  }
  return loaded;
}

const std::uint8_t* TilePictures::cellRow(TileCode code, int y) const {
  if (cells_[code].empty()) return black_.data();
  return &cells_[code][static_cast<std::size_t>(y * kCellRowBytes)];
}

}  // namespace vek
