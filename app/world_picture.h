#pragma once

// The world picture: the world's cells drawn into the 864 x 480 map area, one
// pixel per grid row and 864 pixels for the 960 grid columns, each pixel in
// the colour of its cell's tile.

#include <allegro.h>

#include "app/screen_layout.h"
#include "map/world.h"
#include "resources/tile_set.h"

namespace vek {

// The colour that stands for a tile in the world picture: the pixel at
// (5, 5) of its picture. Black without a picture, and black for a picture
// too small to have that pixel (under 6 x 6), which would otherwise give
// getpixel's -1.
int worldSampleColour(BITMAP* picture);

// The grid column shown at picture column x (0..863): (x * 960) / 864, so
// one column in ten (9, 19, 29, ...) is never shown.
inline int worldGridColumnAt(int x) { return (x * World::kColumns) / layout::kMapAreaWidth; }

// Draws the whole picture at the top-left corner of target, pixel by pixel
// from the cells and the tiles' sample colours.
void drawWorldPicture(BITMAP* target, const World& world, const TileSet& tiles);

}  // namespace vek
