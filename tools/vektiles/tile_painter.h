#pragma once

#include <vector>

#include "map/map.h"
#include "tile_image.h"

namespace vek {

inline constexpr int kTileWidth = 18;
inline constexpr int kTileHeight = 20;

// A tile of the default set with a picture of its own. Its code is a
// printable character, so a map without pictures still reads as text.
struct NamedTile {
  TileCode code;
  const char* name;
  // The colour the world view shows for the tile: pixel (5, 5) of its picture.
  Rgb dominant;
  void (*paint)(TileImage& image);
};

// The named tiles, in the order of the documented table.
const std::vector<NamedTile>& namedTiles();
// The named tile of code, or null for a plain tile.
const NamedTile* findNamedTile(TileCode code);

// The 18 x 20 picture of code: the named tile's drawing, or a plain tile
// showing the code in decimal.
TileImage paintTile(TileCode code);

}  // namespace vek
