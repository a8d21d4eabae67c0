#pragma once

// The fills of the editing tools. Each works on the cells the map stores
// (row 23 of a local or interior map is not one of them) and gives the
// number of cells whose code it changed.

#include "map/cell_rect.h"
#include "map/map.h"

namespace vek {

// Whether the map stores that cell: inside the grid and, on a local or
// interior map, above its last row.
bool isStoredCell(const Map& map, Cell cell);

// Sets every cell 4-connected to start (sharing a side, through cells of
// start's code) to code. Nothing when start is not stored or already holds
// code.
int floodFill(Map& map, Cell start, TileCode code);

// Sets every stored cell holding `from` to `to`.
int replaceCode(Map& map, TileCode from, TileCode to);

// Sets every stored cell of the rectangle to code; the part of it past the
// grid is left out.
int fillRect(Map& map, const CellRect& rect, TileCode code);

}  // namespace vek
