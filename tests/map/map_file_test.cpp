// The map in memory and its .MAP files: reading, with the format's odd old
// rules that stored maps rely on; the exact bytes written; the grid bounds
// per kind and the teleport list.
#include <gtest/gtest.h>

#include <cstring>
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

TEST(MapFileRead, SeparatorsAndLineEndsOfTheFirstLine) {
  Map map;
  ASSERT_TRUE(loadBytes(map, patternFile(">>WILDERNESS!>>25,20:A!>>>26,21:B!>", 24)));
  ASSERT_EQ(map.teleportCount(), 2);
  EXPECT_EQ(teleportName(map, 0), "A");
  EXPECT_EQ(teleportName(map, 1), "B");

  // A lone LF ends lines as well as CR LF; the CR never stays in a name.
  std::string lfOnly = "WILDERNESS!>25,20:TOWN1!\n";
  for (int row = 0; row < 24; ++row) {
    std::string line = patternRow(row);
    lfOnly += line.substr(0, line.size() - 2) + "\n";
  }
  Map lf;
  ASSERT_TRUE(loadBytes(lf, lfOnly));
  EXPECT_EQ(teleportName(lf, 0), "TOWN1");
  expectPatternRows(lf, 24);
}

TEST(MapFileRead, GridLineLengthRules) {
  const std::string first = "WILDERNESS!\r\n";
  std::string row0 = patternRow(0).substr(0, 49);  // space and 48 codes, no line end

  // A last line of exactly 49 characters with no line end is taken.
  Map lastLine;
  EXPECT_TRUE(loadBytes(lastLine, first + row0));
  EXPECT_EQ(lastLine.getTile(47, 0), patternCode(47, 0));

  // A space, 47 codes and LF is taken too: the LF becomes code 10 in column 47.
  Map short47;
  EXPECT_TRUE(loadBytes(short47, first + row0.substr(0, 48) + "\n" + patternRow(1)));
  EXPECT_EQ(short47.getTile(46, 0), patternCode(46, 0));
  EXPECT_EQ(short47.getTile(47, 0), 10);
  EXPECT_EQ(short47.getTile(0, 1), patternCode(0, 1));

  // 46 codes and a line end are too short: false, earlier rows stay, later rows 0.
  Map tooShort;
  tooShort.addTeleport(1, 1, "OLD");
  EXPECT_FALSE(loadBytes(tooShort, "LOCAL!>25,20:NEW!\r\n" + patternRow(0) +
                                       patternRow(1).substr(0, 47) + "\r\n" + patternRow(2)));
  EXPECT_EQ(tooShort.kind, MapKind::Local);
  EXPECT_EQ(teleportName(tooShort, 0), "NEW");
  expectPatternRows(tooShort, 1);

  // Characters after the 49th are ignored; the first character is not looked at.
  Map longLine;
  EXPECT_TRUE(loadBytes(longLine, first + "X" + row0.substr(1) + "EXTRA\r\n"));
  EXPECT_EQ(longLine.getTile(0, 0), patternCode(0, 0));
  EXPECT_EQ(longLine.getTile(0, 1), 0);
}

TEST(MapFileRead, MissingRowsStayZero) {
  Map truncated;
  EXPECT_TRUE(loadBytes(truncated, patternFile("WILDERNESS!", 10)));
  expectPatternRows(truncated, 10);

  Map firstLineOnly;
  firstLineOnly.setTile(3, 3, 9);
  EXPECT_TRUE(loadBytes(firstLineOnly, "INTERIOR!>30,15:DOOR!\r\n"));
  EXPECT_EQ(firstLineOnly.kind, MapKind::Interior);
  EXPECT_EQ(teleportName(firstLineOnly, 0), "DOOR");
  expectPatternRows(firstLineOnly, 0);

  // An empty file keeps the kind and drops the teleports.
  Map empty;
  empty.kind = MapKind::Local;
  empty.addTeleport(1, 1, "GONE");
  empty.setTile(0, 0, 5);
  EXPECT_TRUE(loadBytes(empty, ""));
  EXPECT_EQ(empty.kind, MapKind::Local);
  EXPECT_EQ(empty.teleportCount(), 0);
  expectPatternRows(empty, 0);
}

TEST(MapFileRead, FirstLineLongerThanTheLineBuffer) {
  // 1,023 characters are the first line; the rest is read as the first grid
  // line, which is too short here.
  std::string first = "WILDERNESS!>25,20:" + std::string(1034, 'L') + "!";
  Map map;
  EXPECT_FALSE(loadBytes(map, patternFile(first, 24)));
  EXPECT_EQ(teleportName(map, 0).size(), 255u);
  expectPatternRows(map, 0);

  // With a remainder of 49 characters or more it becomes row 0.
  std::string cut = "WILDERNESS!>25,20:" + std::string(1023 - 18, 'L');
  std::string rest = patternRow(0).substr(0, 49);
  Map taken;
  EXPECT_TRUE(loadBytes(taken, cut + rest + "\r\n" + patternRow(1)));
  EXPECT_EQ(taken.getTile(0, 0), patternCode(0, 0));
  EXPECT_EQ(taken.getTile(0, 1), patternCode(0, 1));
  // The cut line lost its last character as if it were the line end.
  EXPECT_EQ(teleportName(taken, 0), std::string(1023 - 18 - 1, 'L').substr(0, 255));
}

TEST(MapFileRead, CodeZeroIsReadAndCodeTenSplitsARow) {
  std::string zeros = " " + std::string(48, '\0') + "\r\n";
  std::string mixed = patternRow(1);
  mixed[1 + 5] = '\0';
  Map map;
  ASSERT_TRUE(loadBytes(map, "WILDERNESS!\r\n" + zeros + mixed + patternRow(2)));
  EXPECT_EQ(map.getTile(0, 0), 0);
  EXPECT_EQ(map.getTile(5, 1), 0);
  EXPECT_EQ(map.getTile(6, 1), patternCode(6, 1));
  EXPECT_EQ(map.getTile(47, 2), patternCode(47, 2));

  std::string split = patternRow(1);
  split[1 + 20] = '\n';
  Map broken;
  EXPECT_FALSE(loadBytes(broken, "WILDERNESS!\r\n" + patternRow(0) + split + patternRow(2)));
  expectPatternRows(broken, 1);
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
