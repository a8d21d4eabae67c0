#include "app/map_marks.h"

#include <algorithm>
#include <optional>

#include "app/editor_screen.h"
#include "app/screen_layout.h"
#include "map/region_fill.h"

namespace vek {
namespace {

constexpr int kMarkerSize = 5;

int outlineColour() { return makecol(255, 255, 0); }

// The cell a teleport stands on; none for a place off the grid (a map file
// may hold any number there, the most negative int included).
std::optional<Cell> teleportCell(const Teleport& teleport) {
  if (teleport.x < 1 || teleport.x > Map::kColumns || teleport.y < 1 || teleport.y > Map::kRows)
    return std::nullopt;
  return Cell{teleport.x - 1, teleport.y - 1};
}

}  // namespace

void drawTeleportMarkers(BITMAP* target, const Map& map) {
  int colour = makecol(255, 0, 0);
  for (const Teleport& teleport : map.teleports()) {
    std::optional<Cell> at = teleportCell(teleport);
    if (!at) continue;
    Cell cell = *at;
    int right = (cell.column + 1) * layout::kCellWidth - 1;
    int top = cell.row * layout::kCellHeight;
    triangle(target, right - kMarkerSize + 1, top, right, top, right, top + kMarkerSize - 1,
             colour);
  }
}

void outlineCells(BITMAP* target, const CellRect& cells) {
  CellRect inside{std::max(cells.left, 0), std::max(cells.top, 0),
                  std::min(cells.right, Map::kColumns - 1), std::min(cells.bottom, Map::kRows - 1)};
  if (inside.width() <= 0 || inside.height() <= 0) return;
  rect(target, inside.left * layout::kCellWidth, inside.top * layout::kCellHeight,
       (inside.right + 1) * layout::kCellWidth - 1, (inside.bottom + 1) * layout::kCellHeight - 1,
       outlineColour());
}

void drawMarksOverMap(BITMAP* target, const EditorState& state, const Map& map, int mouseX,
                      int mouseY, const TileSet& tiles, TileCharacters& characters) {
  drawTeleportMarkers(target, map);
  const EditTools& tools = state.tools;
  if (tools.selection()) outlineCells(target, *tools.selection());
  if (std::optional<CellRect> drawn = tools.rectangleUnderWay()) outlineCells(target, *drawn);
  if (layout::isInMapArea(mouseX, mouseY)) {
    Cell cell{mouseX / layout::kCellWidth, mouseY / layout::kCellHeight};
    if (tools.pasting()) drawBlockPreview(target, tools.copied(), cell, map, tiles, characters);
    if (state.mode == EditorMode::PlaceTeleport) outlineCells(target, CellRect::spanning(cell, cell));
  }
  if (TeleportList::isOverRows(mouseX, mouseY, target->h)) {
    int index = state.teleportList.teleportAt(mouseY, map.teleportCount(), target->h);
    if (index >= 0) {
      const Teleport& teleport = map.teleports()[static_cast<std::size_t>(index)];
      if (std::optional<Cell> cell = teleportCell(teleport)) {
        outlineCells(target, CellRect::spanning(*cell, *cell));
      }
    }
  }
}

void drawBlockPreview(BITMAP* target, const TileBlock& block, Cell topLeft, const Map& map,
                      const TileSet& tiles, TileCharacters& characters) {
  if (block.empty()) return;
  for (int row = 0; row < block.height(); ++row) {
    for (int column = 0; column < block.width(); ++column) {
      Cell cell{topLeft.column + column, topLeft.row + row};
      if (!isStoredCell(map, cell)) continue;
      drawMapCell(target, cell.column, cell.row, block.at(column, row), tiles, characters);
    }
  }
  outlineCells(target, CellRect{topLeft.column, topLeft.row, topLeft.column + block.width() - 1,
                                topLeft.row + block.height() - 1});
}

}  // namespace vek
