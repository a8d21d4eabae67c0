#include "picture_check.h"

#include "resources/bmp_decoder.h"
#include "tile_painter.h"

namespace vek {

PictureCheck checkPicture(const unsigned char* data, std::size_t size) {
  RasterImage image;
  std::string reason;
  if (!data) return {PictureCheck::Verdict::Unusable, "not a usable picture: unreadable entry"};
  if (!decodeBmp(data, size, image, reason)) {
    return {PictureCheck::Verdict::Unusable, "not a usable picture: " + reason};
  }
  if (image.width != kTileWidth || image.height != kTileHeight) {
    return {PictureCheck::Verdict::WrongSize,
            "picture " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                ", not " + std::to_string(kTileWidth) + " x " + std::to_string(kTileHeight)};
  }
  return {};
}

bool isTileEntryName(const std::string& name) {
  for (int code = 0; code < 256; ++code) {
    if (name == std::to_string(code) + ".bmp") return true;
  }
  return false;
}

}  // namespace vek
