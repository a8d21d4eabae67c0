#pragma once

// The whole world as one picture file: every cell of the 960 x 480 world
// either as its tile picture (18 x 20 pixels a cell, 17,280 x 9,600 in all)
// or as one pixel in the world view's colour (960 x 480), written as PNG
// one row of cells at a time, so that memory stays small.

#include <cstdint>
#include <string>
#include <vector>

#include "map/world.h"
#include "resources/raster_image.h"
#include "resources/tile_pictures.h"
#include "resources/world_picture_style.h"

namespace vek {

enum class WorldPictureScale { Tile, Cell };

struct WorldPictureOptions {
  WorldPictureScale scale = WorldPictureScale::Tile;
  bool gridLines = false;  // as the world view draws them
  // zlib's level, and no row filters: the tile pictures repeat, so the
  // fastest settings pack them nearly as well as the slowest.
  int compressionLevel = 1;
};

int worldPictureWidth(WorldPictureScale scale);
int worldPictureHeight(WorldPictureScale scale);

// The pixels of one row of world cells at a time: as many pixel rows as a
// cell is high, each the picture's whole width, 3 bytes a pixel (red,
// green, blue). The writer below sends them to the file band by band.
class WorldPictureBand {
 public:
  WorldPictureBand(const TilePictures& tiles, const WorldPictureOptions& options);

  // Draws world cell row cellRow (0..479), with the lines between the maps
  // when the options ask for them.
  void draw(const World& world, int cellRow);

  const std::uint8_t* data() const { return pixels_.data(); }
  int rows() const { return rows_; }
  int width() const { return width_; }

 private:
  std::uint8_t* pixel(int x, int row);
  void drawCell(int cellX, TileCode code);
  void drawGridLines(int cellRow);

  const TilePictures& tiles_;
  WorldPictureOptions options_;
  int width_;
  int rows_;
  std::vector<std::uint8_t> pixels_;
};

// Writes the picture of world to path, replacing an earlier file only once
// the new one is complete. A wilderness map that did not load is drawn as
// code 0; a code without a picture as the world view draws it (black).
// False, with a reason that names the file, when it cannot be written.
bool writeWorldPicture(const World& world, const TilePictures& tiles,
                       const WorldPictureOptions& options, const std::string& path,
                       std::string& reason);

}  // namespace vek
