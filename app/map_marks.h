#pragma once

// What is drawn over the map grid besides the tiles: a small red marker on
// each cell that holds a teleport, outlines of a cell or a rectangle of
// cells, and the copied block where it would be placed.

#include <allegro.h>

#include "app/editor_state.h"
#include "app/tile_characters.h"
#include "map/cell_rect.h"
#include "map/map.h"
#include "map/tile_block.h"
#include "resources/tile_set.h"

namespace vek {

// A red triangle in the top-right corner of every cell that holds a
// teleport, 5 pixels along each edge: most of the tile stays in sight.
void drawTeleportMarkers(BITMAP* target, const Map& map);

// A one-pixel frame just inside the cells' edges, in the outline colour.
void outlineCells(BITMAP* target, const CellRect& cells);

// The block with its top-left cell on topLeft, as map would hold it after
// pasting: only the cells the paste writes are drawn over the grid, and
// the block's whole extent is outlined (cut at the grid's edge).
void drawBlockPreview(BITMAP* target, const TileBlock& block, Cell topLeft, const Map& map,
                      const TileSet& tiles, TileCharacters& characters);

// Everything the editing state adds over the map grid for the mouse at
// (mouseX, mouseY): the teleport markers, the selection's outline, the
// rectangle being dragged, the paste preview under the mouse, the cell a
// teleport is waiting for, and the cell of the teleport row pointed at.
void drawMarksOverMap(BITMAP* target, const EditorState& state, const Map& map, int mouseX,
                      int mouseY, const TileSet& tiles, TileCharacters& characters);

}  // namespace vek
