#pragma once

#include <vector>

#include "map/cell_rect.h"

namespace vek {

// The cells of the straight line from one cell to another, both included,
// in order from `from` to `to`. Each cell touches the one before it at a
// side or a corner, so a stroke painted along them has no gap; there is one
// cell per column or per row, whichever the line crosses more of.
std::vector<Cell> cellsOnLine(Cell from, Cell to);

}  // namespace vek
