#pragma once

// The world map view's readout and its click: which wilderness map and which
// tile lie under the mouse in the world picture, and opening that map.

#include <allegro.h>

#include "app/command_context.h"
#include "map/map.h"
#include "map/world.h"

namespace vek {

// The place in the world under a point of the world picture.
struct WorldPosition {
  int gridColumn;   // 0..959: (x * 960) / 864
  int gridRow;      // 0..479: y itself
  int worldColumn;  // 0..19: the wilderness map's column (letter 'A' + n)
  int worldRow;     // 0..19: its row
};

// For a point of the map area (1 <= x < 864, 0 <= y < 480).
WorldPosition worldPositionAt(int x, int y);

// The readout over the world picture: the map's short name ("VEK%c%c") at
// the readout's position place and the cell's code at its tile place.
void drawWorldReadout(BITMAP* target, const World& world, int mouseX, int mouseY);

// A left click in the world picture: the wilderness map under the point, in
// the folder of the current path, is opened. Without its file the map
// becomes a new, empty wilderness map, which a later SAVE creates. A name
// that would not fit a path buffer, or a file that cannot be read, changes
// nothing and gives false.
bool openWorldMapAt(CommandContext& context, int x, int y);

// Ctrl + an arrow key on a wilderness map of the world: the wilderness map
// columns and rows away is opened, as a click in the world picture opens it.
// False, and nothing changed, when the current path names no wilderness map
// of the world or the step leaves the world.
bool openNeighbourWildernessMap(CommandContext& context, int columns, int rows);

// The lines between the 20 x 20 maps of the world picture: on the first
// picture column and row of every map but the first.
void drawWorldGridLines(BITMAP* target);
// A yellow frame around the block of the current map in the world picture,
// when the current path names a wilderness map of the world's folder.
void drawCurrentMapOutline(BITMAP* target, const World& world, const char* currentPath);

}  // namespace vek
