#pragma once

// Cells of the 48 x 24 grid and rectangles of them, as the editing tools
// pick them with the mouse.

#include <algorithm>

namespace vek {

// A cell's column and row, counted from 0.
struct Cell {
  int column = 0;
  int row = 0;
  bool operator==(const Cell& other) const {
    return column == other.column && row == other.row;
  }
  bool operator!=(const Cell& other) const { return !(*this == other); }
};

// The cells from left to right and top to bottom, both ends included.
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  // The rectangle with these two cells as opposite corners, in any order.
  static CellRect spanning(Cell a, Cell b) {
    return CellRect{std::min(a.column, b.column), std::min(a.row, b.row),
                    std::max(a.column, b.column), std::max(a.row, b.row)};
  }
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
  bool contains(Cell cell) const {
    return cell.column >= left && cell.column <= right && cell.row >= top && cell.row <= bottom;
  }
};

}  // namespace vek
