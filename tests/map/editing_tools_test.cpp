// The editing tools' rules over the map model: lines without gaps, fills,
// rectangles, and blocks copied and pasted with clipping.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "map/cell_line.h"
#include "map/region_fill.h"
#include "map/tile_block.h"
#include "test_maps.h"

namespace vek {

void PrintTo(const Cell& cell, std::ostream* out) { *out << cell.column << "," << cell.row; }

namespace {

using Rows = std::vector<std::string>;

Map pictured(char background, const Rows& picture, MapKind kind = MapKind::Wilderness) {
  return test::picturedMap(background, picture, kind);
}
using test::mapRows;

TEST(CellLine, EveryStepTouchesTheLastCellAndStaysOnTheLine) {
  struct Case {
    Cell from, to;
    std::vector<Cell> exact;  // empty: only the rules are checked
  } cases[] = {
      {{3, 3}, {3, 3}, {{3, 3}}},
      {{0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {{2, 5}, {2, 2}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}}},
      {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {{5, 1}, {0, 3}, {{5, 1}, {4, 1}, {3, 2}, {2, 2}, {1, 3}, {0, 3}}},
      {{0, 0}, {47, 23}, {}},
      {{47, 0}, {0, 23}, {}},
      {{10, 23}, {13, 0}, {}},
      {{5, 5}, {40, 6}, {}},
  };
  for (const Case& c : cases) {
    std::vector<Cell> cells = cellsOnLine(c.from, c.to);
    SCOPED_TRACE(::testing::Message() << c.from.column << "," << c.from.row << " to "
                                      << c.to.column << "," << c.to.row);
    if (!c.exact.empty()) {
      EXPECT_EQ(cells, c.exact);
    }
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells.front(), c.from);
    EXPECT_EQ(cells.back(), c.to);
    int dx = c.to.column - c.from.column, dy = c.to.row - c.from.row;
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy)) + 1));
    for (std::size_t i = 1; i < cells.size(); ++i) {
      EXPECT_LE(std::abs(cells[i].column - cells[i - 1].column), 1) << "gap at " << i;
      EXPECT_LE(std::abs(cells[i].row - cells[i - 1].row), 1) << "gap at " << i;
      EXPECT_NE(cells[i], cells[i - 1]) << "repeat at " << i;
    }
    // Across the line's main direction, no cell is more than half a cell
    // off the true line.
    int major = std::max(std::abs(dx), std::abs(dy));
    for (const Cell& cell : cells) {
      if (major == 0) break;
      int cross = (cell.column - c.from.column) * dy - (cell.row - c.from.row) * dx;
      EXPECT_LE(std::abs(cross), major / 2.0) << cell.column << "," << cell.row;
    }
  }
}

TEST(RegionFill, FillsReplacesAndFillsRectanglesOnStoredCellsOnly) {
  Rows bottomRightCorner(21, "");
  bottomRightCorner.insert(bottomRightCorner.end(), 2, std::string(46, '.') + "rr");
  enum class Tool { Flood, Replace, Rect };
  struct Case {
    const char* name;
    MapKind kind;
    Rows picture;  // on '.'
    Tool tool;
    Cell a, b;     // flood: start; rect: corners; replace: a.column is the code
    char code;
    Rows expected;  // on '.' (the local map's row 23 is 0 either way)
    int changed;
  } cases[] = {
      {"enclosed region", MapKind::Wilderness, {"#####", "#...#", "#.#.#", "#####"}, Tool::Flood,
       {1, 1}, {}, 'x', {"#####", "#xxx#", "#x#x#", "#####"}, 5},
      {"corners do not connect", MapKind::Wilderness, {"a#", "#a"}, Tool::Flood, {0, 0}, {}, 'x',
       {"x#", "#a"}, 1},
      {"same code changes nothing", MapKind::Wilderness, {"#"}, Tool::Flood, {3, 3}, {}, '.',
       {"#"}, 0},
      {"outside the grid", MapKind::Wilderness, {"#"}, Tool::Flood, {48, 0}, {}, 'x', {"#"}, 0},
      {"whole map", MapKind::Wilderness, {}, Tool::Flood, {20, 10}, {}, 'x',
       Rows(24, std::string(48, 'x')), 48 * 24},
      {"local map keeps its last row", MapKind::Local, {}, Tool::Flood, {0, 22}, {}, 'x',
       Rows(23, std::string(48, 'x')), 48 * 23},
      {"local map's last row is not a start", MapKind::Local, {}, Tool::Flood, {0, 23}, {}, 'x',
       {}, 0},
      {"replace everywhere", MapKind::Wilderness, {"a.a", "...", "a#a"}, Tool::Replace,
       {'a', 0}, {}, 'b', {"b.b", "...", "b#b"}, 4},
      {"replace leaves the local last row", MapKind::Interior, {}, Tool::Replace, {0, 0}, {},
       'x', {}, 0},
      {"rectangle from any corner", MapKind::Wilderness, {}, Tool::Rect, {3, 2}, {1, 1}, 'r',
       {"......", ".rrr..", ".rrr.."}, 6},
      {"rectangle past the edges", MapKind::Local, {}, Tool::Rect, {46, 21}, {60, 30}, 'r',
       bottomRightCorner, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Map map = pictured('.', c.picture, c.kind);
    TileCode code = static_cast<TileCode>(c.code);
    int changed = 0;
    switch (c.tool) {
      case Tool::Flood: changed = floodFill(map, c.a, code); break;
      case Tool::Replace: changed = replaceCode(map, static_cast<TileCode>(c.a.column), code); break;
      case Tool::Rect: changed = fillRect(map, CellRect::spanning(c.a, c.b), code); break;
    }
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(mapRows(map), mapRows(pictured('.', c.expected, c.kind)));
  }
}

TEST(TileBlock, CopiesARectangleAndPastesItClipped) {
  const Rows source = {"abc", "def", "ghi"};
  struct Case {
    const char* name;
    CellRect copied;
    MapKind target;
    Cell at;
    std::vector<std::pair<Cell, char>> written;  // on a '.' map
  } cases[] = {
      {"inside", {1, 0, 2, 1}, MapKind::Wilderness, {5, 5},
       {{{5, 5}, 'b'}, {{6, 5}, 'c'}, {{5, 6}, 'e'}, {{6, 6}, 'f'}}},
      {"past the right edge", {0, 0, 2, 0}, MapKind::Wilderness, {46, 0},
       {{{46, 0}, 'a'}, {{47, 0}, 'b'}}},
      {"wilderness bottom row", {0, 1, 0, 2}, MapKind::Wilderness, {0, 23}, {{{0, 23}, 'd'}}},
      {"local map's last row left out", {0, 1, 0, 2}, MapKind::Local, {0, 22}, {{{0, 22}, 'd'}}},
      {"above and left of the grid", {0, 0, 2, 2}, MapKind::Wilderness, {-2, -1},
       {{{0, 0}, 'f'}, {{0, 1}, 'i'}}},
      {"copy clipped to the grid", {-5, -5, 0, 0}, MapKind::Wilderness, {9, 9}, {{{9, 9}, 'a'}}},
  };
  Map from = pictured('.', source);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TileBlock block = TileBlock::copiedFrom(from, c.copied);
    Map map = pictured('.', {}, c.target);
    Map expected = map;
    for (const auto& [cell, code] : c.written) expected.setTile(cell.column, cell.row, code);
    EXPECT_EQ(block.pasteInto(map, c.at), static_cast<int>(c.written.size()));
    EXPECT_EQ(mapRows(map), mapRows(expected));
  }
  EXPECT_TRUE(TileBlock::copiedFrom(from, {48, 0, 50, 3}).empty());
  EXPECT_EQ(TileBlock().pasteInto(from, {0, 0}), 0);
}

}  // namespace
}  // namespace vek
