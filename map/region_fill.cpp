#include "map/region_fill.h"

#include <algorithm>
#include <optional>

namespace vek {

namespace {

// Sets the stored cells of rect that hold `from` (any code when there is
// none) to `to`.
int setCells(Map& map, const CellRect& rect, std::optional<TileCode> from, TileCode to) {
  int changed = 0;
  for (int row = std::max(rect.top, 0); row <= rect.bottom && row < storedRows(map.kind); ++row) {
    for (int column = std::max(rect.left, 0); column <= rect.right && column < Map::kColumns;
         ++column) {
      TileCode code = map.getTile(column, row);
      if (code == to || (from && code != *from)) continue;
      map.setTile(column, row, to);
      ++changed;
    }
  }
  return changed;
}

}  // namespace

bool isStoredCell(const Map& map, Cell cell) {
  return cell.column >= 0 && cell.column < Map::kColumns && cell.row >= 0 &&
         cell.row < storedRows(map.kind);
}

int floodFill(Map& map, Cell start, TileCode code) {
  if (!isStoredCell(map, start)) return 0;
  TileCode target = map.getTile(start.column, start.row);
  if (target == code) return 0;
  // A cell is recoloured as it is pushed, so it no longer matches and is
  // pushed at most once: the stack never holds more than the grid.
  Cell stack[Map::kColumns * Map::kRows];
  int size = 0;
  int changed = 0;
  auto visit = [&](Cell cell) {
    if (!isStoredCell(map, cell) || map.getTile(cell.column, cell.row) != target) return;
    map.setTile(cell.column, cell.row, code);
    ++changed;
    stack[size++] = cell;
  };
  visit(start);
  while (size > 0) {
    Cell cell = stack[--size];
    visit({cell.column - 1, cell.row});
    visit({cell.column + 1, cell.row});
    visit({cell.column, cell.row - 1});
    visit({cell.column, cell.row + 1});
  }
  return changed;
}

int replaceCode(Map& map, TileCode from, TileCode to) {
  return setCells(map, CellRect{0, 0, Map::kColumns - 1, Map::kRows - 1}, from, to);
}

int fillRect(Map& map, const CellRect& rect, TileCode code) {
  return setCells(map, rect, std::nullopt, code);
}

}  // namespace vek
