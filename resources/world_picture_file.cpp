#include "resources/world_picture_file.h"

#include <cstring>
#include <vector>

#include "resources/png_writer.h"

namespace vek {
namespace {

int cellWidth(WorldPictureScale scale) {
  return scale == WorldPictureScale::Tile ? TilePictures::kCellWidth : 1;
}
int cellHeight(WorldPictureScale scale) {
  return scale == WorldPictureScale::Tile ? TilePictures::kCellHeight : 1;
}

constexpr RasterColour kGridLineColour{kWorldGridLineGrey, kWorldGridLineGrey, kWorldGridLineGrey};

void putColour(std::uint8_t* pixel, RasterColour colour) {
  pixel[0] = colour.r;
  pixel[1] = colour.g;
  pixel[2] = colour.b;
}

}  // namespace

int worldPictureWidth(WorldPictureScale scale) { return World::kColumns * cellWidth(scale); }
int worldPictureHeight(WorldPictureScale scale) { return World::kRows * cellHeight(scale); }

WorldPictureBand::WorldPictureBand(const TilePictures& tiles, const WorldPictureOptions& options)
    : tiles_(tiles),
      options_(options),
      width_(worldPictureWidth(options.scale)),
      rows_(cellHeight(options.scale)),
      pixels_(static_cast<std::size_t>(width_) * 3 * rows_) {}

void WorldPictureBand::draw(const World& world, int cellRow) {
  for (int x = 0; x < World::kColumns; ++x) drawCell(x, world.cell(x, cellRow));
  if (options_.gridLines) drawGridLines(cellRow);
}

std::uint8_t* WorldPictureBand::pixel(int x, int row) {
  return &pixels_[(static_cast<std::size_t>(row) * width_ + x) * 3];
}

void WorldPictureBand::drawCell(int cellX, TileCode code) {
  if (options_.scale == WorldPictureScale::Cell) {
    putColour(pixel(cellX, 0), tiles_.sampleColour(code));
    return;
  }
  int left = cellX * TilePictures::kCellWidth;
  for (int row = 0; row < rows_; ++row) {
    std::memcpy(pixel(left, row), tiles_.cellRow(code, row), TilePictures::kCellRowBytes);
  }
}

// On the first pixel column and row of every map but the first.
void WorldPictureBand::drawGridLines(int cellRow) {
  int mapWidth = Map::kColumns * cellWidth(options_.scale);
  for (int row = 0; row < rows_; ++row) {
    for (int x = mapWidth; x < width_; x += mapWidth) putColour(pixel(x, row), kGridLineColour);
  }
  if (cellRow > 0 && cellRow % Map::kRows == 0) {
    for (int x = 0; x < width_; ++x) putColour(pixel(x, 0), kGridLineColour);
  }
}

bool writeWorldPicture(const World& world, const TilePictures& tiles,
                       const WorldPictureOptions& options, const std::string& path,
                       std::string& reason) {
  PngWriter png;
  if (!png.open(path, worldPictureWidth(options.scale), worldPictureHeight(options.scale), reason,
                options.compressionLevel, false)) {
    return false;
  }
  WorldPictureBand band(tiles, options);
  for (int cellRow = 0; cellRow < World::kRows; ++cellRow) {
    band.draw(world, cellRow);
    if (!png.writeRows(band.data(), band.rows(), reason)) return false;
  }
  return png.finish(reason);
}

}  // namespace vek
