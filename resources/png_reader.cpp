#include "resources/png_reader.h"

#include <png.h>

#include <cstring>

namespace vek {

bool looksLikePng(const unsigned char* data, std::size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool readPng(const unsigned char* data, std::size_t size, int maxSide, RgbaImage& image,
             std::string& reason) {
  image = RgbaImage{};
  if (!looksLikePng(data, size)) {
    reason = "not a PNG file";
    return false;
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) {
    reason = png.message;
    return false;
  }
  if (png.width < 1 || png.height < 1 || png.width > static_cast<png_uint_32>(maxSide) ||
      png.height > static_cast<png_uint_32>(maxSide)) {
    reason = "size " + std::to_string(png.width) + " x " + std::to_string(png.height) +
             " is not 1 to " + std::to_string(maxSide) + " pixels a side";
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    reason = png.message;
    png_image_free(&png);
    return false;
  }
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba = std::move(pixels);
  return true;
}

}  // namespace vek
