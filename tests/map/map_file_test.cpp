// The map in memory and its .MAP files: reading, with the format's odd old
// rules that stored maps rely on; the exact bytes written; the grid bounds
// per kind and the teleport list.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <string>
#include <vector>

#include "map/map.h"
#include "map_bytes.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::patternCode;
using test::patternFile;
using test::patternRow;

bool loadBytes(Map& map, const std::string& bytes) {
  return map.loadFromMemory(bytes.data(), bytes.size());
}

std::string teleportName(const Map& map, int index) {
  char name[Map::kNameCapacity] = "";
  map.getTeleport(index, nullptr, nullptr, name);
  return name;
}

// Rows [0, rowsExpected) hold the pattern and the rest of the grid is 0.
void expectPatternRows(const Map& map, int rowsExpected) {
  for (int y = 0; y < Map::kRows; ++y)
    for (int x = 0; x < Map::kColumns; ++x)
      ASSERT_EQ(map.getTile(x, y), y < rowsExpected ? patternCode(x, y) : 0) << x << "," << y;
}

TEST(MapFileRead, KindComesFromTheLastKeywordFoundInTheWholeFirstLine) {
  struct Case {
    std::string firstLine;
    MapKind kind;
    int rowsRead;
  } cases[] = {
      {"WILDERNESS!", MapKind::Wilderness, 24},
      {"LOCAL!~EXIT~", MapKind::Local, 23},
      {"INTERIOR!", MapKind::Interior, 23},
      {"WILDERNESS!>25,20:INTERIOR1!", MapKind::Interior, 23},
      {"WILDERNESS!>25,20:LOCALS!", MapKind::Local, 23},
      {"INTERIOR!>25,20:WILDERNESS!", MapKind::Interior, 23},
      {"LOCAL!>21,13:MYINTERIOR!>22,13:WILDERNESS!", MapKind::Interior, 23},
      {"wilderness!", MapKind::Local, 23},  // case-sensitive: no keyword, kind kept
      {"NOTHING>25,20:A!", MapKind::Local, 23},
  };
  for (const Case& c : cases) {
    Map map;
    map.kind = MapKind::Local;
    ASSERT_TRUE(loadBytes(map, patternFile(c.firstLine, 24))) << c.firstLine;
    EXPECT_EQ(map.kind, c.kind) << c.firstLine;
    expectPatternRows(map, c.rowsRead);
  }
}

TEST(MapFileRead, TeleportTokens) {
  struct Case {
    std::string firstLine;
    int x, y;
    std::string name;
  } cases[] = {
      {"WILDERNESS!>25,20:TOWN1!", 5, 8, "TOWN1"},
      {"WILDERNESS!>-5,12:FAR!", -25, 0, "FAR"},
      {"WILDERNESS!>25,20:SHOUT!!", 5, 8, "SHOUT!"},
      {"WILDERNESS!>25,20:!", 5, 8, ""},
      {"WILDERNESS!>25,20:NOBANG", 5, 8, "NOBANG"},
      {"WILDERNESS!>25!", 5, -12, ""},        // no ',' and no ':'
      {"WILDERNESS!>25,20!", 5, 8, ""},       // no ':'
      {"WILDERNESS!>25:NAME!", 5, -12, "NAME"},  // no ','
      {"WILDERNESS!>  +30,x:A!", 10, -12, "A"},
      {"WILDERNESS!>99999999999999999999,-99999999999999999999:BIG!", 2147483647, -2147483648,
       "BIG"},
      {"LOCAL!~EXIT~>25,20:" + std::string(300, 'Q') + "!", 5, 8, std::string(255, 'Q')},
  };
  for (const Case& c : cases) {
    Map map;
    ASSERT_TRUE(loadBytes(map, patternFile(c.firstLine, 24))) << c.firstLine;
    ASSERT_EQ(map.teleportCount(), 1) << c.firstLine;
    int x = 0, y = 0;
    char name[Map::kNameCapacity];
    map.getTeleport(0, &x, &y, name);
    EXPECT_EQ(x, c.x) << c.firstLine;
    EXPECT_EQ(y, c.y) << c.firstLine;
    EXPECT_EQ(std::string(name), c.name) << c.firstLine;
  }
}

TEST(MapFileRead, LineEndsAndLengthsAndCodesThatStoredMapsRelyOn) {
  const std::string first = "WILDERNESS!\r\n";
  const std::string row0 = patternRow(0).substr(0, 49);  // space and 48 codes, no line end
  std::string lfOnly = "WILDERNESS!>25,20:TOWN1!\n";
  for (int row = 0; row < 24; ++row) lfOnly += patternRow(row).substr(0, 49) + "\n";
  std::string zeroAt5 = patternRow(0), tenAt20 = patternRow(1);
  zeroAt5[1 + 5] = '\0';
  tenAt20[1 + 20] = '\n';
  const std::string cut = "WILDERNESS!>25,20:" + std::string(1023 - 18, 'L');
  struct Case {
    const char* what;
    std::string bytes;
    bool ok;
    MapKind kind;
    std::vector<std::string> teleports;
    int patternRows;  // rows [0, n) hold the pattern, the rest 0, but for:
    std::vector<std::tuple<int, int, int>> cells;
  };
  const Case cases[] = {
      {"runs of '>' are one separator", patternFile(">>WILDERNESS!>>25,20:A!>>>26,21:B!>", 24),
       true, MapKind::Wilderness, {"A", "B"}, 24, {}},
      {"a lone LF ends lines; no CR stays in a name", lfOnly, true, MapKind::Wilderness,
       {"TOWN1"}, 24, {}},
      {"a last line of 49 characters needs no line end", first + row0, true, MapKind::Wilderness,
       {}, 1, {}},
      {"47 codes and LF: the LF is code 10 in column 47", first + row0.substr(0, 48) + "\n" +
       patternRow(1), true, MapKind::Wilderness, {}, 2, {{47, 0, 10}}},
      {"46 codes are too short: earlier rows stay", "LOCAL!>25,20:NEW!\r\n" + patternRow(0) +
       patternRow(1).substr(0, 47) + "\r\n" + patternRow(2), false, MapKind::Local, {"NEW"}, 1, {}},
      {"past the 49th character, and the first, nothing is looked at",
       first + "X" + row0.substr(1) + "EXTRA\r\n", true, MapKind::Wilderness, {}, 1, {}},
      {"missing rows stay 0", patternFile("WILDERNESS!", 10), true, MapKind::Wilderness, {}, 10, {}},
      {"the first line alone", "INTERIOR!>30,15:DOOR!\r\n", true, MapKind::Interior, {"DOOR"}, 0,
       {}},
      {"an empty file keeps the kind and drops the teleports", "", true, MapKind::Local, {}, 0, {}},
      {"a first line past 1,023 characters leaves a short grid line", patternFile(
       "WILDERNESS!>25,20:" + std::string(1034, 'L') + "!", 24), false, MapKind::Wilderness,
       {std::string(255, 'L')}, 0, {}},
      // The cut line loses its last character as if it were the line end.
      {"a first line cut at 1,023 gives its rest as row 0", cut + row0 + "\r\n" + patternRow(1),
       true, MapKind::Wilderness, {std::string(255, 'L')}, 2, {}},
      {"code 0 is read", first + zeroAt5 + patternRow(1), true, MapKind::Wilderness, {}, 2,
       {{5, 0, 0}}},
      {"code 10 splits a row", first + patternRow(0) + tenAt20 + patternRow(2), false,
       MapKind::Wilderness, {}, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Map map;
    map.kind = MapKind::Local;
    map.addTeleport(1, 1, "OLD");
    map.setTile(3, 3, 9);
    EXPECT_EQ(loadBytes(map, c.bytes), c.ok);
    EXPECT_EQ(map.kind, c.kind);
    std::vector<std::string> names;
    for (int i = 0; i < map.teleportCount(); ++i) names.push_back(teleportName(map, i));
    EXPECT_EQ(names, c.teleports);
    Map expected;
    expected.kind = MapKind::Wilderness;
    for (int y = 0; y < c.patternRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x) expected.setTile(x, y, patternCode(x, y));
    for (const auto& [x, y, code] : c.cells) expected.setTile(x, y, static_cast<TileCode>(code));
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x)
        ASSERT_EQ(map.getTile(x, y), expected.getTile(x, y)) << x << "," << y;
  }
}

TEST(MapFileRead, MissingFileClearsTheGridButKeepsKindAndTeleports) {
  test::TempDir dir;
  Map map;
  map.kind = MapKind::Interior;
  map.addTeleport(2, 3, "KEPT");
  map.setTile(4, 4, 44);
  EXPECT_FALSE(map.load(dir.file("NOPE.MAP").c_str()));
  EXPECT_FALSE(map.load(dir.path().c_str()));  // a folder is not a map file
  EXPECT_FALSE(map.load(nullptr));
  EXPECT_EQ(map.kind, MapKind::Interior);
  EXPECT_EQ(teleportName(map, 0), "KEPT");
  EXPECT_EQ(map.getTile(4, 4), 0);

  Map fromMissing(dir.file("NOPE.MAP").c_str());
  EXPECT_EQ(fromMissing.kind, MapKind::Wilderness);
  EXPECT_EQ(fromMissing.teleportCount(), 0);

  ASSERT_TRUE(test::writeFileBytes(dir.file("A.MAP"), patternFile("LOCAL!~EXIT~>21,13:A!", 23)));
  Map fromFile(dir.file("A.MAP").c_str());
  EXPECT_EQ(fromFile.kind, MapKind::Local);
  EXPECT_EQ(teleportName(fromFile, 0), "A");
  expectPatternRows(fromFile, 23);
}

// A grid line of the file: a space, 48 codes, CR LF.
std::string line(const std::string& codes) { return " " + codes + "\r\n"; }
std::string dots(int count) { return std::string(static_cast<std::size_t>(count), '.'); }

TEST(MapFileWrite, BytesOfEachKindAndTheyReadBack) {
  // Every cell '.', the corners of the stored grid marked, two teleports.
  std::string local = line("<" + dots(46) + ">") + line(dots(5) + std::string(1, '\0') + dots(42));
  for (int row = 2; row < 22; ++row) local += line(dots(48));
  local += line("{" + dots(47));
  struct Case {
    MapKind kind;
    std::string expected;
  } cases[] = {
      {MapKind::Wilderness,
       "WILDERNESS!>25,20:TOWN1!>-5,12:FAR!!\r\n" + local + line("[" + dots(46) + "]")},
      {MapKind::Local, "LOCAL!~EXIT~>25,20:TOWN1!>-5,12:FAR!!\r\n" + local},
      {MapKind::Interior, "INTERIOR!>25,20:TOWN1!>-5,12:FAR!!\r\n" + local},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    Map map;
    map.kind = c.kind;
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, '.');
    map.setTile(0, 0, '<');
    map.setTile(47, 0, '>');
    map.setTile(5, 1, 0);
    map.setTile(0, 22, '{');
    map.setTile(0, 23, '[');
    map.setTile(47, 23, ']');
    map.addTeleport(5, 8, "TOWN1");
    map.addTeleport(-25, 0, "FAR!");
    std::string path = dir.file("OUT.MAP");
    ASSERT_TRUE(map.save(path.c_str()));
    EXPECT_EQ(test::readFileBytes(path), c.expected) << "kind " << static_cast<int>(c.kind);
    Map back;
    back.kind = c.kind == MapKind::Wilderness ? MapKind::Local : MapKind::Wilderness;
    ASSERT_TRUE(back.load(path.c_str()));
    EXPECT_TRUE(back == map) << "kind " << static_cast<int>(c.kind);
  }
  Map empty;
  ASSERT_TRUE(empty.save(dir.file("NEW.MAP").c_str()));
  std::string expected = "WILDERNESS!\r\n";
  for (int i = 0; i < 24; ++i) expected += line(std::string(48, '\0'));
  EXPECT_EQ(test::readFileBytes(dir.file("NEW.MAP")), expected);
}

TEST(MapFileWrite, EveryCodeButTenAndLongNamesRoundTrip) {
  test::TempDir dir;
  Map original;
  for (int y = 0; y < Map::kRows; ++y)
    for (int x = 0; x < Map::kColumns; ++x)
      if ((x * 31 + y * 17) % 256 != 10) original.setTile(x, y, (x * 31 + y * 17) % 256);
  original.addTeleport(-40, -3, "NEGATIVE");
  original.addTeleport(48, 24, std::string(255, 'X').c_str());
  ASSERT_TRUE(original.save(dir.file("ROUND.MAP").c_str()));
  Map copy;
  ASSERT_TRUE(copy.load(dir.file("ROUND.MAP").c_str()));
  EXPECT_TRUE(copy == original);
}

TEST(MapFileWrite, AFirstLineTheReaderCannotTakeWholeIsRefused) {
  test::TempDir dir;
  std::string path = dir.file("MANY.MAP");
  Map map;
  for (int i = 0; i < 3; ++i) map.addTeleport(1, 1, std::string(255, 'T').c_str());
  map.addTeleport(1, 1, std::string(1022 - 800 - 8, 'E').c_str());  // 1,022 characters
  ASSERT_TRUE(map.save(path.c_str()));
  std::string before = test::readFileBytes(path);
  Map back;
  ASSERT_TRUE(back.load(path.c_str()));
  EXPECT_EQ(back.teleportCount(), 4);

  map.addTeleport(1, 1, "");  // 1,030 characters
  EXPECT_FALSE(map.save(path.c_str()));
  EXPECT_EQ(test::readFileBytes(path), before);
}

TEST(MapModel, SetTileStaysInsideTheGridAndRow23BelongsToWildernessOnly) {
  struct Case {
    MapKind kind;
    int x, y;
    bool stored;
  } cases[] = {
      {MapKind::Wilderness, 0, 0, true},   {MapKind::Wilderness, 47, 23, true},
      {MapKind::Local, 47, 22, true},      {MapKind::Local, 0, 23, false},
      {MapKind::Interior, 10, 23, false},  {MapKind::Wilderness, 48, 0, false},
      {MapKind::Wilderness, 0, 24, false}, {MapKind::Wilderness, -1, 0, false},
      {MapKind::Wilderness, 0, -1, false},
  };
  for (const Case& c : cases) {
    Map map;
    map.kind = c.kind;
    map.setTile(c.x, c.y, 77);
    EXPECT_EQ(map.getTile(c.x, c.y), c.stored ? 77 : 0) << static_cast<int>(c.kind) << " " << c.x << "," << c.y;
    int stored = 0;
    for (int y = 0; y < Map::kRows; ++y)
      for (int x = 0; x < Map::kColumns; ++x) stored += map.getTile(x, y) == 77;
    EXPECT_EQ(stored, c.stored ? 1 : 0) << "a write outside the grid landed somewhere";
    map.clearGrid();
    EXPECT_EQ(map.getTile(c.x, c.y), 0);
  }
}

TEST(MapModel, TeleportsKeepTheirOrderAndAreRemovedByIndex) {
  Map map;
  map.addTeleport(1, 2, "FIRST");
  map.addTeleport(3, 4, "SECOND");
  map.addTeleport(5, 6, std::string(1000, 'N').c_str());  // cut to 255 characters
  map.addTeleport(7, 8, nullptr);
  ASSERT_EQ(map.teleportCount(), 4);
  EXPECT_TRUE(map.removeTeleport(1));
  int x = 0, y = 0;
  char name[Map::kNameCapacity];
  ASSERT_TRUE(map.getTeleport(1, &x, &y, name));
  EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{5, 6}));
  EXPECT_EQ(std::string(name), std::string(255, 'N'));
  ASSERT_TRUE(map.getTeleport(2, nullptr, nullptr, name));
  EXPECT_STREQ(name, "");
  for (int bad : {-1, 3, 100}) {
    x = 99;
    std::strcpy(name, "untouched");
    EXPECT_FALSE(map.getTeleport(bad, &x, &y, name)) << bad;
    EXPECT_EQ(x, 99);
    EXPECT_STREQ(name, "untouched");
    EXPECT_FALSE(map.removeTeleport(bad)) << bad;
  }
  EXPECT_TRUE(map.removeTeleport(2));  // the last one
  EXPECT_TRUE(map.removeTeleport(0));  // the first one
  ASSERT_EQ(map.teleportCount(), 1);
  EXPECT_EQ(map.teleports()[0].x, 5);
  map.clearTeleports();
  EXPECT_EQ(map.teleportCount(), 0);
}

}  // namespace
}  // namespace vek
