// Maps and worlds: reading .MAP files with the format's odd old rules that stored maps
// rely on; the exact bytes written; failed saves keep the earlier file; grid bounds and
// teleports; the document's history and failed openings; the editing tools; map names;
// the world's cells read on demand, changes marked per map, and the world check.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "child_process.h"
#include "map/cell_line.h"
#include "map/map.h"
#include "map/map_document.h"
#include "map/map_file.h"
#include "map/map_naming.h"
#include "map/region_fill.h"
#include "map/tile_block.h"
#include "map/world.h"
#include "map/world_check.h"
#include "problem_world.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek {
namespace {

// A grid line as the editor writes it: a space, 48 codes, CR LF; never 0, 10
// or 13, and different in every row.
std::string patternRow(int row) {
  std::string line = " ";
  for (int x = 0; x < 48; ++x) {
    int code = (row * 7 + x) % 256;
    line += static_cast<char>(code == 0 || code == 10 || code == 13 ? 65 : code);
  }
  return line + "\r\n";
}

std::string patternFile(const std::string& firstLine, int rows) {
  std::string file = firstLine + "\r\n";
  for (int row = 0; row < rows; ++row) file += patternRow(row);
  return file;
}

// The map of patternFile(any first line, rows).
Map patternMap(int rows = Map::kRows) {
  Map map;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, patternRow(y)[1 + x]);
  return map;
}

TEST(MapFileRead, KindsTeleportsLineEndsAndLengthsThatStoredMapsRelyOn) {
  const MapKind W = MapKind::Wilderness, L = MapKind::Local, I = MapKind::Interior;
  const std::string first = "WILDERNESS!\r\n";
  const std::string row0 = patternRow(0).substr(0, 49);  // space and 48 codes, no line end
  std::string lfOnly = "WILDERNESS!>25,20:TOWN1!\n";
  for (int row = 0; row < 24; ++row) lfOnly += patternRow(row).substr(0, 49) + "\n";
  std::string tenAt20 = patternRow(1);
  tenAt20[1 + 20] = '\n';
  const std::string cut = "WILDERNESS!>25,20:" + std::string(1023 - 18, 'L');
  const std::string longName = std::string(255, 'L');
  struct Case {
    std::string bytes;
    bool ok;
    MapKind kind;
    std::string teleports;
    int patternRows;  // rows [0, n) hold the pattern, the rest 0, but for:
    std::vector<std::tuple<int, int, int>> cells;
  };
  const auto file = [](const std::string& firstLine) { return patternFile(firstLine, 24); };
  const Case cases[] = {
      // The kind comes from the last keyword found in the whole first line.
      {file("LOCAL!~EXIT~"), true, L, "", 23, {}},
      {file("INTERIOR!>25,20:WILDERNESS!"), true, I, "5,8:WILDERNESS", 23, {}},
      {file("WILDERNESS!>25,20:LOCALS!"), true, L, "5,8:LOCALS", 23, {}},
      {file("LOCAL!>21,13:MYINTERIOR!>22,13:WILDERNESS!"), true, I,
       "1,1:MYINTERIOR 2,1:WILDERNESS", 23, {}},
      {file("wilderness!"), true, L, "", 23, {}},  // case-sensitive: no keyword, kind kept
      // Teleport tokens: x - 20, y - 12, the name up to a closing '!'.
      {file("WILDERNESS!>-5,12:FAR!"), true, W, "-25,0:FAR", 24, {}},
      {file("WILDERNESS!>25,20:SHOUT!!"), true, W, "5,8:SHOUT!", 24, {}},
      {file("WILDERNESS!>25,20:NOBANG"), true, W, "5,8:NOBANG", 24, {}},
      {file("WILDERNESS!>25,20:!>25!>25,20!>25:NAME!"), true, W, "5,8: 5,-12: 5,8: 5,-12:NAME",
       24, {}},
      {file("WILDERNESS!>  +30,x:A!"), true, W, "10,-12:A", 24, {}},
      {file("WILDERNESS!>99999999999999999999,-99999999999999999999:BIG!"), true, W,
       "2147483647,-2147483648:BIG", 24, {}},
      {file("LOCAL!~EXIT~>25,20:" + std::string(300, 'Q') + "!"), true, L,
       "5,8:" + std::string(255, 'Q'), 23, {}},
      {file(">>WILDERNESS!>>25,20:A!>>>26,21:B!>"), true, W, "5,8:A 6,9:B", 24, {}},
      // A lone LF ends lines; no CR stays in a name.
      {lfOnly, true, W, "5,8:TOWN1", 24, {}},
      {first + row0, true, W, "", 1, {}},  // a last line of 49 needs no line end
      // 47 codes and LF: the LF is code 10 in column 47.
      {first + row0.substr(0, 48) + "\n" + patternRow(1), true, W, "", 2, {{47, 0, 10}}},
      // 46 codes are too short: earlier rows stay.
      {"LOCAL!>25,20:NEW!\r\n" + patternRow(0) + patternRow(1).substr(0, 47) + "\r\n" +
       patternRow(2), false, L, "5,8:NEW", 1, {}},
      // Past the 49th character, and the first, nothing is looked at.
      {first + "X" + row0.substr(1) + "EXTRA\r\n", true, W, "", 1, {}},
      {patternFile("WILDERNESS!", 10), true, W, "", 10, {}},  // missing rows stay 0
      {"INTERIOR!>30,15:DOOR!\r\n", true, I, "10,3:DOOR", 0, {}},
      {"", true, L, "", 0, {}},  // an empty file keeps the kind and drops the teleports
      // A first line past 1,023 characters leaves a short grid line.
      {file("WILDERNESS!>25,20:" + std::string(1034, 'L') + "!"), false, W, "5,8:" + longName,
       0, {}},
      // The cut line loses its last character as if it were the line end.
      {cut + row0 + "\r\n" + patternRow(1), true, W, "5,8:" + longName, 2, {}},
      {first + patternRow(0) + tenAt20 + patternRow(2), false, W, "", 1, {}},  // 10 splits
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << index++ << ": " << c.bytes.substr(0, 40));
    Map map = test::filledMap(9, MapKind::Local);
    map.addTeleport(1, 1, "OLD");
    EXPECT_EQ(map.loadFromMemory(c.bytes.data(), c.bytes.size()), c.ok);
    EXPECT_EQ(map.kind, c.kind);
    EXPECT_EQ(test::teleportsText(map), c.teleports);
    Map expected = patternMap(c.patternRows);
    for (const auto& [x, y, code] : c.cells) expected.setTile(x, y, static_cast<TileCode>(code));
    EXPECT_EQ(test::mapRows(map), test::mapRows(expected));
  }
}

TEST(MapFileRead, AFailedLoadClearsTheGridButKeepsKindAndTeleportsAndReadingIsEnough) {
  test::TempDir dir;
  Map map = test::filledMap(44, MapKind::Interior);
  map.addTeleport(2, 3, "KEPT");
  for (const std::string& path : {dir.file("NOPE.MAP"), dir.path()})
    EXPECT_FALSE(map.load(path.c_str()));
  EXPECT_FALSE(map.load(nullptr));
  EXPECT_EQ(map.kind, MapKind::Interior);
  EXPECT_EQ(test::teleportsText(map), "2,3:KEPT");
  EXPECT_EQ(test::countNonZeroCells(map), 0);
  EXPECT_TRUE(Map(dir.file("NOPE.MAP").c_str()) == Map());

  // A map file the user may only read loads.
  const std::string path = dir.file("READONLY.MAP");
  ASSERT_TRUE(patternMap().save(path.c_str()));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  int result = test::runUnprivileged([&] {
    if (access(path.c_str(), W_OK) == 0) return 4;  // the test would prove nothing
    return !map.load(path.c_str()) ? 1 : map == patternMap() ? 0 : 2;
  });
  EXPECT_EQ(result, 0) << "1: load failed, 2: wrong content, 3: could not drop root, "
                          "4: file still writable";
}

// A grid line of the file: a space, 48 codes, CR LF.
std::string line(const std::string& codes) { return " " + codes + "\r\n"; }
std::string dots(int count) { return std::string(static_cast<std::size_t>(count), '.'); }

TEST(MapFileWrite, BytesOfEachKindAndTheyReadBack) {
  // Every cell '.', the corners of the stored grid marked, two teleports.
  std::string local = line("<" + dots(46) + ">") + line(dots(5) + std::string(1, '\0') + dots(42));
  for (int row = 2; row < 22; ++row) local += line(dots(48));
  local += line("{" + dots(47));
  const std::string teleports = ">25,20:TOWN1!>-5,12:FAR!!\r\n";
  const std::pair<MapKind, std::string> cases[] = {
      {MapKind::Wilderness, "WILDERNESS!" + teleports + local + line("[" + dots(46) + "]")},
      {MapKind::Local, "LOCAL!~EXIT~" + teleports + local},
      {MapKind::Interior, "INTERIOR!" + teleports + local},
  };
  const std::tuple<int, int, char> marks[] = {{0, 0, '<'},  {47, 0, '>'}, {5, 1, '\0'},
                                              {0, 22, '{'}, {0, 23, '['}, {47, 23, ']'}};
  test::TempDir dir;
  const std::string path = dir.file("OUT.MAP");
  for (const auto& [kind, expected] : cases) {
    Map map = test::filledMap('.', kind);
    for (auto [x, y, code] : marks) map.setTile(x, y, code);
    map.addTeleport(5, 8, "TOWN1");
    map.addTeleport(-25, 0, "FAR!");
    ASSERT_TRUE(map.save(path.c_str()));
    EXPECT_EQ(test::readFileBytes(path), expected) << "kind " << static_cast<int>(kind);
    Map back;
    back.kind = kind == MapKind::Wilderness ? MapKind::Local : MapKind::Wilderness;
    ASSERT_TRUE(back.load(path.c_str()));
    EXPECT_TRUE(back == map) << "kind " << static_cast<int>(kind);
  }
}

TEST(MapFileWrite, AFailedSaveKeepsTheEarlierFile) {
  test::TempDir dir;
  const std::string path = dir.file("VEKAA.MAP");
  // The longest first line the reader takes whole saves; one character more is refused.
  Map many;
  for (int i = 0; i < 3; ++i) many.addTeleport(1, 1, std::string(255, 'T').c_str());
  many.addTeleport(1, 1, std::string(1022 - 800 - 8, 'E').c_str());  // 1,022 characters
  ASSERT_TRUE(many.save(path.c_str()));
  const std::string before = test::readFileBytes(path);
  EXPECT_TRUE(Map(path.c_str()) == many);
  many.removeTeleport(3);
  many.addTeleport(1, 1, std::string(1023 - 800 - 8, 'E').c_str());
  EXPECT_FALSE(many.save(path.c_str()));
  EXPECT_EQ(test::readFileBytes(path), before);

  // Places that cannot take a file; nothing is left behind.
  ASSERT_TRUE(test::writeFileBytes(dir.file("plain"), "not a folder"));
  ASSERT_EQ(mkdir(dir.file("folder.MAP").c_str(), 0755), 0);
  for (const std::string& bad :
       {dir.file("missing/VEKAA.MAP"), dir.file("plain/VEKAA.MAP"), dir.file("folder.MAP"),
        std::string()})
    EXPECT_FALSE(patternMap().save(bad.c_str())) << bad;
  EXPECT_EQ(test::readFileBytes(dir.file("plain")), "not a folder");
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 3u) << "a temporary file was left behind";

  // A write cut short by the file size limit.
  int result = test::runInChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{600, 600};  // the new file needs 1,237 bytes
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    return patternMap().save(path.c_str()) ? 1 : 0;
  });
  EXPECT_EQ(result, 0) << "save reported success (1) or could not set the limit (3)";
  EXPECT_EQ(test::readFileBytes(path), before);
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 3u);
  ASSERT_TRUE(patternMap().save(path.c_str()));
  EXPECT_EQ(test::readFileBytes(path), patternFile("WILDERNESS!", 24));
}

TEST(MapModel, SetTileStaysInsideTheStoredGridAndTeleportsAreAListInOrder) {
  const MapKind W = MapKind::Wilderness;
  const std::tuple<MapKind, int, int, bool> cases[] = {
      {W, 0, 0, true},   {W, 47, 23, true},  {MapKind::Local, 47, 22, true},
      {W, 48, 0, false}, {W, 0, 24, false},  {MapKind::Local, 0, 23, false},
      {W, -1, 1, false}, {W, 0, -1, false},  {MapKind::Interior, 10, 23, false},
  };
  for (const auto& [kind, x, y, stored] : cases) {
    Map map = test::filledMap(0, kind);
    map.setTile(x, y, 77);
    EXPECT_EQ(test::countNonZeroCells(map), stored ? 1 : 0) << int(kind) << " " << x << "," << y;
    EXPECT_EQ(map.getTile(x, y), stored ? 77 : 0);
  }

  // Teleports keep their order and are removed by index.
  Map map;
  map.addTeleport(1, 2, "FIRST");
  map.addTeleport(3, 4, "SECOND");
  map.addTeleport(5, 6, std::string(1000, 'N').c_str());  // cut to 255 characters
  map.addTeleport(7, 8, nullptr);
  EXPECT_TRUE(map.removeTeleport(1));
  EXPECT_EQ(test::teleportsText(map), "1,2:FIRST 5,6:" + std::string(255, 'N') + " 7,8:");
  int x = 99, y = 0;
  char name[Map::kNameCapacity] = "untouched";
  for (int bad : {-1, 3})
    EXPECT_FALSE(map.getTeleport(bad, &x, &y, name) || map.removeTeleport(bad)) << bad;
  EXPECT_STREQ(name, "untouched");
  ASSERT_TRUE(map.getTeleport(1, &x, &y, name));
  EXPECT_EQ(std::to_string(x) + "," + std::to_string(y) + name, "5,6" + std::string(255, 'N'));
  EXPECT_TRUE(map.removeTeleport(2));  // the last one
  EXPECT_TRUE(map.removeTeleport(0));  // the first one
  EXPECT_EQ(test::teleportsText(map), "5,6:" + std::string(255, 'N'));
}

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
      {{1, 0, 2, 2}, W, {5, 5},  // two wide, three high
       {{{5, 5}, 'b'}, {{6, 5}, 'c'}, {{5, 6}, 'e'}, {{6, 6}, 'f'}, {{5, 7}, 'h'}, {{6, 7}, 'i'}}},
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

WildernessCode codeOf(const std::string& path) {
  WildernessCode code;
  code.update("??.MAP");
  code.update(path);
  return code;
}

TEST(MapNaming, PathsThatFitAPathBufferAndDestinationsThatArePlainMapFilesOfTheFolder) {
  const std::string longest(1023 - 9, 'f');  // and "VEKAA.MAP": 1,023 characters
  const std::optional<std::string> cases[][2] = {
      {wildernessMapPath("D/", 1, 0), "D/VEKBA.MAP"},
      {wildernessMapPath("", 19, 19), "VEKTT.MAP"},
      {localMapPath("D/", codeOf("D/VEKBA.MAP"), 0, 0), "D/TBA2113.MAP"},
      {localMapPath("D/", codeOf("D/VEKCD.MAP"), 47, 23), "D/TCD6836.MAP"},
      {localMapPath("T/", codeOf("T/Q.MAP"), 22, 15), "T/TQ4328.MAP"},
      {localMapPath("", WildernessCode(), 0, 0), "T2113.MAP"},
      {teleportDestinationPath("D/", "CAVE.1"), "D/CAVE.1.MAP"},
      {teleportDestinationPath("D/", "../evil"), std::nullopt},  // out of the folder
      {teleportDestinationPath("D/", "a/b"), std::nullopt},
      {teleportDestinationPath("D/", "x..y"), std::nullopt},
      {wildernessMapPath(longest, 0, 0), longest + "VEKAA.MAP"},
      {wildernessMapPath(longest + "/", 0, 0), std::nullopt},
      {teleportDestinationPath(longest, "LONGER"), std::nullopt},
      {localMapPath(longest, codeOf("VEKAA.MAP"), 0, 0), std::nullopt},
      {localMapPath(longest.substr(4), codeOf("VEKAA.MAP"), 0, 0),
       longest.substr(4) + "TAA2113.MAP"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(path, expected);
  EXPECT_EQ(wildernessShortName(19, 19), "VEKTT");
  const std::pair<std::string, bool> chosen[] = {
      {"CAVE.MAP", false},     {"./CAVE.MAP", false},    {"B!C>1,1:D.MAP", true},
      {"A:B.MAP", true},       {"A\nB.MAP", true},       {".MAP", true},
      {"CAVE.map", true},      {"/CAVE.MAP", true},      {std::string(256, 'n') + ".MAP", true},
      {std::string(255, 'n') + ".MAP", false},
  };
  for (const auto& [file, refused] : chosen)
    EXPECT_EQ(teleportDestinationRefusal(file, "").has_value(), refused) << file;
  const std::pair<const char*, bool> names[] = {
      {"CAVE", true}, {"T.AB", true}, {"", false},   {"a/b", false},
      {"..", false},  {"x>y", false}, {"x!", false}, {"a\nb", false},
  };
  for (const auto& [name, plain] : names) EXPECT_EQ(isPlainMapName(name), plain) << name;
}

TEST(MapNaming, WildernessCodeAndPlaceComeFromTheFileNameAlone) {
  const std::pair<std::string, std::string> cases[] = {
      {"/maps/VEKCD.MAP", "CD"},    {"/maps/VEKCD.OLD.MAP", "CD"},  // the first dot of the name
      {"/maps.d/NOEXT", "XT"},      // no dot: the name's last two
      {"/home/me/MYLAND.MAP", "ND"}, {"T/Q.MAP", "Q"},  // never the folder's '/'
      {"A.B.MAP", "A"},             {".MAP", ""}, {"/x/.MAP", ""}, {"", ""},
  };
  for (const auto& [path, code] : cases) EXPECT_EQ(codeOf(path).text(), code) << path;
  const std::optional<WorldPlace> place = wildernessPlaceOf("D/VEKTS.MAP");
  EXPECT_TRUE(place && place->column == 19 && place->row == 18);
  for (const char* outside : {"D/VEKUA.MAP", "D/VEKAU.MAP", "VEK@A.MAP", "VEKA@.MAP"})
    EXPECT_FALSE(wildernessPlaceOf(outside)) << outside;
}

// VEKAA ',' with a teleport, VEKBA an interior 'i' (23 rows), VEKCA a short grid
// line, VEKDA no kind, VEKEA larger than a map can be, VEKTT 't', CAVE a local map.
void writeWorld(const std::string& folder) {
  test::saveTestMap(folder + "VEKAA.MAP", MapKind::Wilderness, {{3, 4, "CAVE"}});
  test::writeFilledMap(folder + "VEKTT.MAP", 't');
  test::writeFilledMap(folder + "VEKBA.MAP", 'i', MapKind::Interior);
  test::writeFilledMap(folder + "CAVE.MAP", 'c', MapKind::Local);
  test::writeFileBytes(folder + "VEKCA.MAP", "WILDERNESS!\r\n short\r\n");
  test::writeFileBytes(folder + "VEKDA.MAP", "no kind here\r\n");
  test::writeFileBytes(folder + "VEKEA.MAP", test::readFileBytes(folder + "VEKAA.MAP") +
                                                 std::string(51150, '\n'));
}

TEST(World, CellsAreTheWildernessMapsSideBySideAndChangesAreMarkedPerMap) {
  test::TempDir dir;
  const std::string folder = dir.path() + "/";
  writeWorld(folder);
  World world(folder);
  EXPECT_EQ(world.loadWilderness(), 3);
  const std::tuple<int, int, TileCode> cells[] = {
      {0, 0, ','},    {47, 23, ','},  {48, 0, 'i'}, {95, 22, 'i'},
      {95, 23, 0},    // an interior's last row
      {96, 0, 0},     // a short grid line: unreadable
      {144, 0, 0},    // no kind keyword: not a map
      {192, 0, 0},    // larger than a map can be
      {912, 456, 't'}, {959, 479, 't'}, {500, 300, 0},
      {960, 0, 0},    {-1, 0, 0},     {0, 480, 0},
  };
  for (const auto& [x, y, code] : cells) EXPECT_EQ(world.cell(x, y), code) << x << "," << y;
  for (int column : {2, 3, 4})
    EXPECT_EQ(world.wilderness(column, 0).state, MapFileState::Unreadable) << column;
  EXPECT_EQ(world.wilderness(5, 0).state, MapFileState::Missing);
  EXPECT_EQ(world.named("CAVE").map.kind, MapKind::Local);
  EXPECT_EQ(world.named("NOWHERE").state, MapFileState::Missing);

  // Setting cells marks only the maps it changes, and keeps kind and teleports.
  unsigned long long before = world.revision();
  const std::tuple<int, int, TileCode, bool> cases[] = {
      {0, 0, ',', false},    // the same code
      {1, 0, 'b', true},     // VEKAA
      {48, 23, 'x', false},  // the interior's unstored row
      {96, 0, 'x', false},   // unreadable: never replaced
      {192, 0, 0, false},    // missing and 0 already
      {192, 24, 'n', true},  // missing: becomes a new wilderness map (VEKEB)
      {960, 0, 'x', false},
  };
  for (const auto& [x, y, code, changes] : cases)
    EXPECT_EQ(world.setCell(x, y, code), changes) << x << "," << y;
  EXPECT_GT(world.revision(), before);

  std::vector<World::ChangedMap> changed = world.changedWilderness();
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0].path, folder + "VEKAA.MAP");
  EXPECT_EQ(changed[0].map->getTile(1, 0), 'b');
  EXPECT_EQ(changed[0].map->teleportCount(), 1);
  EXPECT_EQ(changed[1].path, folder + "VEKEB.MAP");
  Map expected;
  expected.setTile(0, 0, 'n');
  EXPECT_TRUE(*changed[1].map == expected);
  world.markSaved();
  EXPECT_TRUE(world.changedWilderness().empty());

  // What was read is a snapshot until the world is opened again.
  test::writeFilledMap(folder + "VEKAA.MAP", 'z');
  EXPECT_EQ(world.cell(0, 0), ',');
  world.open(folder);
  EXPECT_EQ(world.cell(0, 0), 'z');
}

TEST(WorldCheck, FindsEachKindOfProblemOnceInItsFile) {
  test::TempDir dir;
  std::string folder = dir.path() + "/";
  test::writeProblemWorld(folder);
  WorldCheck check = checkWorld(folder);
  ASSERT_TRUE(check.folderReadable);
  EXPECT_EQ(check.mapFiles, 399 + 6);
  using Kind = WorldProblemKind;
  const std::pair<std::string, Kind> expected[] = {
      {"BROKEN.MAP", Kind::NotAMap},          {"ISLAND.MAP", Kind::Unreachable},
      {"ORPHAN.MAP", Kind::NoWayIn},          {"VEKAA.MAP", Kind::MissingDestination},
      {"VEKAA.MAP", Kind::TeleportOutside},   {"VEKAA.MAP", Kind::BadTeleportName},
      {"VEKAA.MAP", Kind::NoWayBack},         {"VEKTT.MAP", Kind::MissingWilderness},
  };
  std::vector<std::pair<std::string, Kind>> found;
  for (const WorldProblem& problem : check.problems) found.push_back({problem.file, problem.kind});
  EXPECT_EQ(found, std::vector(std::begin(expected), std::end(expected)));
  EXPECT_EQ(check.problemCount(), 7);
  EXPECT_EQ(check.warningCount(), 1);
  EXPECT_FALSE(checkWorld("/nonexistent-folder/").folderReadable);
}

}  // namespace
}  // namespace vek
