#pragma once

// The 256 tile pictures as plain pixels, for drawing a world into a picture
// file without a screen: each code's picture cut to one 18 x 20 cell (black
// where the picture is smaller), and the colour the world view gives it.

#include <array>
#include <cstdint>
#include <vector>

#include "map/map.h"
#include "resources/data_archive.h"
#include "resources/raster_image.h"

namespace vek {

class TilePictures {
 public:
  static constexpr int kCellWidth = 18;
  static constexpr int kCellHeight = 20;
  static constexpr int kCellRowBytes = kCellWidth * 3;

  // Decodes the entries "0.bmp" .. "255.bmp" of archive; a missing or
  // refused entry leaves its code without a picture. Gives the number decoded.
  int load(DataArchive& archive);

  bool has(TileCode code) const { return !cells_[code].empty(); }
  // The world view's colour of a cell holding code: the picture's pixel
  // (5, 5); black without a picture or for one too small to have it.
  RasterColour sampleColour(TileCode code) const { return samples_[code]; }
  // Row y (0..19) of the code's cell: 18 pixels of red, green and blue;
  // all black for a code without a picture.
  const std::uint8_t* cellRow(TileCode code, int y) const;

 private:
  std::array<std::vector<std::uint8_t>, 256> cells_;
  std::array<RasterColour, 256> samples_{};
  std::vector<std::uint8_t> black_ = std::vector<std::uint8_t>(kCellRowBytes, 0);
};

}  // namespace vek
