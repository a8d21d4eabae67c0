// The map in memory and its .MAP files: reading, with the format's odd old
// rules that stored maps rely on; the exact bytes written; saves that fail
// keep the earlier file; the grid bounds per kind and the teleport list.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <tuple>
#include <vector>

#include "child_process.h"
#include "map/map.h"
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
int patternCode(int x, int row) { return static_cast<unsigned char>(patternRow(row)[1 + x]); }

std::string patternFile(const std::string& firstLine, int rows) {
  std::string file = firstLine + "\r\n";
  for (int row = 0; row < rows; ++row) file += patternRow(row);
  return file;
}

// The map of patternFile(any first line, rows).
Map patternMap(int rows = Map::kRows) {
  Map map;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, patternCode(x, y));
  return map;
}

// The teleports as "x,y:name" joined by spaces.
std::string teleportsOf(const Map& map) {
  std::string text;
  for (const Teleport& t : map.teleports())
    text += (text.empty() ? "" : " ") + std::to_string(t.x) + "," + std::to_string(t.y) + ":" +
            t.name;
  return text;
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
    EXPECT_EQ(teleportsOf(map), c.teleports);
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
  EXPECT_EQ(teleportsOf(map), "2,3:KEPT");
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
  // A first line the reader cannot take whole is refused.
  Map many;
  for (int i = 0; i < 3; ++i) many.addTeleport(1, 1, std::string(255, 'T').c_str());
  many.addTeleport(1, 1, std::string(1022 - 800 - 8, 'E').c_str());  // 1,022 characters
  ASSERT_TRUE(many.save(path.c_str()));
  const std::string before = test::readFileBytes(path);
  EXPECT_EQ(Map(path.c_str()).teleportCount(), 4);
  many.addTeleport(1, 1, "");  // 1,030 characters
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
  EXPECT_EQ(teleportsOf(map), "1,2:FIRST 5,6:" + std::string(255, 'N') + " 7,8:");
  int x = 99, y = 0;
  char name[Map::kNameCapacity] = "untouched";
  for (int bad : {-1, 3}) {
    EXPECT_FALSE(map.getTeleport(bad, &x, &y, name)) << bad;
    EXPECT_FALSE(map.removeTeleport(bad)) << bad;
  }
  EXPECT_STREQ(name, "untouched");
  ASSERT_TRUE(map.getTeleport(1, &x, &y, name));
  EXPECT_EQ(std::to_string(x) + "," + std::to_string(y) + name, "5,6" + std::string(255, 'N'));
  EXPECT_TRUE(map.removeTeleport(2));  // the last one
  EXPECT_TRUE(map.removeTeleport(0));  // the first one
  EXPECT_EQ(teleportsOf(map), "5,6:" + std::string(255, 'N'));
}

}  // namespace
}  // namespace vek
