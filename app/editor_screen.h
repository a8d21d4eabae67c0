#pragma once

// The parts of the editor's frame, drawn into the back buffer on every pass
// (the world picture and its readout are in world_picture.h and
// world_view.h). Texts use Allegro's built-in font on a transparent
// background: white, but for the red "+" and "-" marks of the teleport list.

#include <allegro.h>

#include "app/editor_state.h"
#include "app/tile_characters.h"
#include "map/map.h"
#include "map/map_document.h"
#include "resources/tile_set.h"

namespace vek {

// The 48 x 24 cells of map in the map area: each cell's picture (its
// top-left 18 x 20 pixels), or without one its character 5 pixels into the
// cell and 8 down. characters keeps the tile characters from pass to pass.
void drawMapGrid(BITMAP* target, const Map& map, const TileSet& tiles,
                 TileCharacters& characters);

// One cell of the map area as drawMapGrid draws it, whatever it held before:
// black, then the code's picture or its character.
void drawMapCell(BITMAP* target, int column, int row, TileCode code, const TileSet& tiles,
                 TileCharacters& characters);

// The 256 codes in 8 rows of 32 cells from (0, 520): each code's character,
// 4 pixels into the cell and 8 down, then its picture over it (a character
// that the picture hides whole is left out: the pixels are the same).
void drawPalette(BITMAP* target, const TileSet& tiles, TileCharacters& characters);

// "WILDERNESS", "LOCAL" or "INTERIOR"; null for any other kind value.
const char* mapKindLabel(MapKind kind);

// The path line: the document's path, followed by "*" while the map has
// unsaved changes.
void drawPathLine(BITMAP* target, const MapDocument& document);

// What the path line says while "+" waits for a cell, around the
// destination's name.
inline constexpr const char* kPlacementLineStart = "Click a cell for the teleport to ";
inline constexpr const char* kPlacementLineEnd = " (Escape cancels)";

// In this order: the path line (or, while a teleport waits for its cell,
// the placement line), the map kind label, "SELECTED TILE", the selected
// tile's picture (or character) and code, the teleport list (see
// teleport_list.h), "MAP POS  TILE", the active tool under it and the help
// hint.
void drawStatusTexts(BITMAP* target, const MapDocument& document, const EditorState& state,
                     const TileSet& tiles, TileCharacters& characters);

// The readout over the map: the cell under the mouse as column + 1, row + 1
// and its tile code. For a point of the map area only.
void drawCellReadout(BITMAP* target, const Map& map, int mouseX, int mouseY);

}  // namespace vek
