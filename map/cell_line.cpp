#include "map/cell_line.h"

#include <cstdlib>

namespace vek {

// Bresenham's walk: the error term tracks how far the cell drifts from the
// true line, stepping along both axes at once when a diagonal is nearer.
std::vector<Cell> cellsOnLine(Cell from, Cell to) {
  int dx = std::abs(to.column - from.column);
  int dy = -std::abs(to.row - from.row);
  int stepX = from.column < to.column ? 1 : -1;
  int stepY = from.row < to.row ? 1 : -1;
  int error = dx + dy;
  std::vector<Cell> cells;
  cells.reserve(static_cast<std::size_t>(std::max(dx, -dy)) + 1);
  Cell cell = from;
  for (;;) {
    cells.push_back(cell);
    if (cell == to) break;
    int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      cell.column += stepX;
    }
    if (doubled <= dx) {
      error += dx;
      cell.row += stepY;
    }
  }
  return cells;
}

}  // namespace vek
