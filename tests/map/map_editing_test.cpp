// Editing a map: the document's history and unsaved marker, openings that
// fail; the tools' lines without gaps, fills, rectangles, and blocks copied
// and pasted with clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "map/cell_line.h"
#include "map/map_document.h"
#include "map/map_file.h"
#include "map/map_naming.h"
#include "map/region_fill.h"
#include "map/tile_block.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek {

namespace {

using Rows = std::vector<std::string>;
using test::mapRows;
using test::picturedMap;

// Each step: an action ('p' paints the next letter at (0, 0), 'n' is a change
// that changes nothing, 'u' undo, 'r' redo, 's' save, 'o' open the file
// again), then what must hold after it: cell (0, 0) ('0' for code 0), the
// unsaved marker ('*' set, '-' clear) and how many steps can be undone and redone.
TEST(MapDocumentHistory, FollowsTheRulesOfUndoRedoAndTheSavedPoint) {
  const std::vector<std::string> sequences[] = {
      {"pa*10", "pb*20", "ua*11", "u0-02", "u0-02", "ra*11", "rb*20", "rb*20"},
      {"n0-00", "pa*10", "na*10"},                    // a change of nothing is no step
      // Undoing back to the saved state clears the marker, and past it sets it.
      {"pa*10", "sa-10", "pb*20", "ua-11", "u0*02", "ra-11"},
      // A change drops the redo steps, and a saved state among them stays unsaved.
      {"pa*10", "sa-10", "u0*01", "pb*10"},
      {"pa*10", "sa-10", "pb*20", "oa-00", "ua-00"},  // opening starts a new history, saved
  };
  for (const std::vector<std::string>& sequence : sequences) {
    test::TempDir dir;
    MapDocument document;
    ASSERT_TRUE(document.open(dir.file("A.MAP")).opened);
    TileCode next = 'a';
    std::string done;
    for (const std::string& step : sequence) {
      switch (step[0]) {
        case 'p': document.apply([&](Map& map) { map.setTile(0, 0, next++); }); break;
        case 'n': document.apply([&](Map& map) { map.setTile(0, 0, map.getTile(0, 0)); }); break;
        case 'u': document.undo(); break;
        case 'r': document.redo(); break;
        case 's': ASSERT_TRUE(document.save()); break;
        case 'o': ASSERT_TRUE(document.open(document.path()).opened); break;
      }
      const char cell = static_cast<char>(document.map().getTile(0, 0));
      const std::string state{cell ? cell : '0', document.isModified() ? '*' : '-',
                              static_cast<char>('0' + document.history().undoCount()),
                              static_cast<char>('0' + document.history().redoCount())};
      done += " " + step;
      EXPECT_EQ(state, step.substr(1)) << done;
    }
  }

  // A thousand steps are kept, and painting over several calls is one step.
  MapDocument document;
  for (int i = 0; i < 1005; ++i)
    document.apply([i](Map& map) { map.setTile(i % 48, 0, static_cast<TileCode>(1 + i % 200)); });
  int undone = 0;
  while (document.undo()) ++undone;
  EXPECT_EQ(undone, 1000);
  EXPECT_TRUE(document.isModified()) << "the first five steps are forgotten";

  MapDocument stroke;
  for (int column = 0; column < 5; ++column) stroke.beginStep().setTile(column, 3, 'x');
  EXPECT_TRUE(stroke.isModified());
  EXPECT_TRUE(stroke.endStep());
  EXPECT_EQ(stroke.history().undoCount(), 1u);
  stroke.undo();
  EXPECT_TRUE(stroke.map() == Map());
}

TEST(MapDocumentOpening, AFileThatCannotBeAMapChangesNothing) {
  test::TempDir dir;
  ASSERT_TRUE(test::writeFileBytes(dir.file("BIG.MAP"),
                                   std::string(kMapBytesConsumedAtMost + 1, ' ')));
  const std::pair<std::string, std::string> cases[] = {
      {dir.path(), "it is a folder"},
      {dir.file("BIG.MAP"), "it is larger than a map file can be"},
      {std::string(kPathCapacity, 'x'), "the path is too long"},
  };
  for (const auto& [path, reasonStart] : cases) {
    MapDocument document;
    ASSERT_TRUE(document.open(dir.file("A.MAP")).opened);
    document.apply([](Map& map) { map.addTeleport(2, 2, "KEEP"); });
    const Map before = document.map();
    OpenResult result = document.open(path);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.reason.rfind(reasonStart, 0), 0u) << result.reason;
    EXPECT_EQ(document.path(), dir.file("A.MAP"));
    EXPECT_TRUE(document.map() == before) << reasonStart;
    EXPECT_EQ(document.history().undoCount(), 1u);
  }
  // A map without a file yet starts empty: no teleports of the one before.
  MapDocument document;
  document.apply([](Map& map) { map.addTeleport(2, 2, "OLD"); });
  OpenResult result = document.open(dir.file("NEW.MAP"));
  EXPECT_TRUE(result.opened && !result.existed);
  EXPECT_EQ(document.map().teleportCount(), 0);
  EXPECT_FALSE(document.isModified());
}

TEST(CellLine, EveryStepTouchesTheLastCellAndStaysOnTheLine) {
  const std::pair<Cell, Cell> ends[] = {
      {{3, 3}, {3, 3}},   {{0, 0}, {3, 0}},  {{2, 5}, {2, 2}}, {{0, 0}, {3, 3}},
      {{5, 1}, {0, 3}},   {{0, 0}, {47, 23}}, {{47, 0}, {0, 23}}, {{10, 23}, {13, 0}},
      {{5, 5}, {40, 6}},
  };
  EXPECT_EQ(cellsOnLine({5, 1}, {0, 3}),
            (std::vector<Cell>{{5, 1}, {4, 1}, {3, 2}, {2, 2}, {1, 3}, {0, 3}}));
  for (const auto& [from, to] : ends) {
    std::vector<Cell> cells = cellsOnLine(from, to);
    SCOPED_TRACE(::testing::Message() << from.column << "," << from.row << " to " << to.column
                                      << "," << to.row);
    int dx = to.column - from.column, dy = to.row - from.row;
    int major = std::max(std::abs(dx), std::abs(dy));
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(major + 1));
    EXPECT_EQ(cells.front(), from);
    EXPECT_EQ(cells.back(), to);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      // Steps of one cell, and no cell more than half a cell off the true line.
      const Cell& cell = cells[i];
      const Cell& last = cells[i == 0 ? 0 : i - 1];
      EXPECT_LE(std::max(std::abs(cell.column - last.column), std::abs(cell.row - last.row)), 1);
      int cross = (cell.column - from.column) * dy - (cell.row - from.row) * dx;
      EXPECT_LE(std::abs(cross), major / 2.0) << cell.column << "," << cell.row;
    }
  }
}

TEST(RegionFill, FillsReplacesAndFillsRectanglesOnStoredCellsOnly) {
  Rows bottomRightCorner(21, "");
  bottomRightCorner.insert(bottomRightCorner.end(), 2, std::string(46, '.') + "rr");
  const MapKind W = MapKind::Wilderness, L = MapKind::Local;
  enum class Tool { Flood, Replace, Rect };
  struct Case {
    MapKind kind;
    Rows picture;  // on '.'
    Tool tool;
    Cell a, b;     // flood: start; rect: corners; replace: a.column is the code
    char code;
    Rows expected;  // on '.' (the local map's row 23 is 0 either way)
    int changed;
  } cases[] = {
      {W, {"#####", "#...#", "#.#.#", "#####"}, Tool::Flood, {1, 1}, {}, 'x',
       {"#####", "#xxx#", "#x#x#", "#####"}, 5},
      {W, {"a#", "#a"}, Tool::Flood, {0, 0}, {}, 'x', {"x#", "#a"}, 1},  // corners do not join
      {W, {"#"}, Tool::Flood, {3, 3}, {}, '.', {"#"}, 0},                // the same code
      {W, {"#"}, Tool::Flood, {48, 0}, {}, 'x', {"#"}, 0},               // outside the grid
      {W, {}, Tool::Flood, {20, 10}, {}, 'x', Rows(24, std::string(48, 'x')), 48 * 24},
      {L, {}, Tool::Flood, {0, 22}, {}, 'x', Rows(23, std::string(48, 'x')), 48 * 23},
      {L, {}, Tool::Flood, {0, 23}, {}, 'x', {}, 0},  // the local map's last row is no start
      {W, {"a.a", "...", "a#a"}, Tool::Replace, {'a', 0}, {}, 'b', {"b.b", "...", "b#b"}, 4},
      {MapKind::Interior, {}, Tool::Replace, {0, 0}, {}, 'x', {}, 0},
      {W, {}, Tool::Rect, {3, 2}, {1, 1}, 'r', {"......", ".rrr..", ".rrr.."}, 6},
      {L, {}, Tool::Rect, {46, 21}, {60, 30}, 'r', bottomRightCorner, 4},  // past the edges
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(index++);
    Map map = picturedMap('.', c.picture, c.kind);
    TileCode code = static_cast<TileCode>(c.code);
    int changed = 0;
    switch (c.tool) {
      case Tool::Flood: changed = floodFill(map, c.a, code); break;
      case Tool::Replace: changed = replaceCode(map, TileCode(c.a.column), code); break;
      case Tool::Rect: changed = fillRect(map, CellRect::spanning(c.a, c.b), code); break;
    }
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(mapRows(map), mapRows(picturedMap('.', c.expected, c.kind)));
  }
}

TEST(TileBlock, CopiesARectangleAndPastesItClipped) {
  const MapKind W = MapKind::Wilderness;
  struct Case {
    CellRect copied;
    MapKind target;
    Cell at;
    std::vector<std::pair<Cell, char>> written;  // on a '.' map
  } cases[] = {
      {{1, 0, 2, 1}, W, {5, 5}, {{{5, 5}, 'b'}, {{6, 5}, 'c'}, {{5, 6}, 'e'}, {{6, 6}, 'f'}}},
      {{0, 0, 2, 0}, W, {46, 0}, {{{46, 0}, 'a'}, {{47, 0}, 'b'}}},  // past the right edge
      {{0, 1, 0, 2}, W, {0, 23}, {{{0, 23}, 'd'}}},                   // the bottom row
      {{0, 1, 0, 2}, MapKind::Local, {0, 22}, {{{0, 22}, 'd'}}},      // a local map's is not
      {{0, 0, 2, 2}, W, {-2, -1}, {{{0, 0}, 'f'}, {{0, 1}, 'i'}}},    // above and left of it
      {{-5, -5, 0, 0}, W, {9, 9}, {{{9, 9}, 'a'}}},                   // the copy clipped
  };
  Map from = picturedMap('.', {"abc", "def", "ghi"});
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(index++);
    TileBlock block = TileBlock::copiedFrom(from, c.copied);
    Map map = picturedMap('.', {}, c.target);
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
