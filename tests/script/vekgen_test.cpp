// vekgen run as a program, without a display, on temporary folders: its
// command line, its failures and their exit statuses, what each mode
// writes, the sample scripts, and a world rewrite killed at chosen steps.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "child_process.h"
#include "map/map.h"
#include "map/map_naming.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek {
namespace {

using test::contains;
using test::countNonZeroCells;
using test::ProgramResult;
using test::readFileBytes;
using test::writeFileBytes;
namespace fs = std::filesystem;

// Runs vekgen with args (under wrapper, e.g. strace, when given).
ProgramResult runVekgen(const std::vector<std::string>& args,
                        std::vector<std::string> wrapper = {}) {
  std::vector<std::string> environment;
  if (!wrapper.empty() && wrapper[0] == "strace") {
    const char* options = std::getenv("ASAN_OPTIONS");  // LeakSanitizer fails under ptrace
    environment.push_back("ASAN_OPTIONS=" + std::string(options ? options : "") +
                          ":detect_leaks=0");
  }
  wrapper.push_back(VEKGEN_PATH);
  wrapper.insert(wrapper.end(), args.begin(), args.end());
  return test::runProgram(wrapper, environment);
}

// The bytes of the 400 wilderness maps of folder (ending in '/').
std::vector<std::string> readWorld(const std::string& folder) {
  std::vector<std::string> world;
  for (int row = 0; row < kWorldSide; ++row)
    for (int column = 0; column < kWorldSide; ++column)
      world.push_back(readFileBytes(*wildernessMapPath(folder, column, row)));
  return world;
}

class Vekgen : public ::testing::Test {
 protected:
  Vekgen() { fs::create_directory(world); }
  std::string script(const std::string& text, const std::string& name = "script.as") {
    writeFileBytes(dir.file(name), text);
    return dir.file(name);
  }

  test::TempDir dir;
  const std::string world = dir.file("world") + "/";
};

TEST_F(Vekgen, UsageErrorsPrintTheUsageAndExit64) {
  for (const char* line : {"", "world", "world s.as", "fly s.as out", "world s.as out extra",
                           "feature s.as m.MAP --pos", "feature s.as m.MAP --pos 49,1",
                           "feature s.as m.MAP --pos 0,1", "feature s.as m.MAP --pos 1,25",
                           "feature s.as m.MAP --pos 3", "feature s.as m.MAP --pos 3,4x",
                           "world s.as out --seed -1", "world s.as out --timeout 0",
                           "world s.as out --timeout 1s", "world s.as out --colour"}) {
    std::istringstream words(line);
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    ProgramResult result = runVekgen(args);
    EXPECT_EQ(result.status, 64) << line;
    EXPECT_TRUE(contains(result.err, "usage: vekgen world SCRIPT FOLDER")) << line;
    EXPECT_EQ(result.out, "") << line;
  }
}

TEST_F(Vekgen, FailuresExitWithTheirStatusAndReasonAndWriteNothing) {
  const std::string broken = script("void main() {\n  int a = 1;\n  a = ;\n}\n", "broken.as");
  const std::string fine = script("void main() { settile(1, 1, 9); }");
  const std::string asks = script("void main() { int x, y; getpos(x, y); settile(x, y, 1); }",
                                  "asks.as");
  const std::string asksEarly = script("int x, y;\nbool asked = ask();\n"
                                       "bool ask() { getpos(x, y); return true; }\n"
                                       "void main() { settile(x, y, 1); }\n", "early.as");
  const std::string endless = script("void main() { settile(1, 1, 9); while (true) {} }", "e.as");
  ASSERT_TRUE(test::filledMap(5).save(dir.file("map.MAP").c_str()));
  const std::string map = dir.file("map.MAP"), before = readFileBytes(map);
  ASSERT_TRUE(writeFileBytes(dir.file("BAD.MAP"), "WILDERNESS!\r\n short\r\n"));
  const std::string big = "WILDERNESS!\r\n" + std::string(51150, ' ');
  ASSERT_TRUE(writeFileBytes(dir.file("BIG.MAP"), big));
  fs::create_directory(world + "VEKCD.MAP");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string errPart;
    std::vector<std::string> stoppedBy = {};  // a command that runs vekgen and signals it
  } cases[] = {
      {{"world", broken, world}, 1,
       broken + ":3:7: error: Expected expression value\n" + broken +
           ":3:7: error: Instead found ';'\nvekgen: Error building script.  This is probably due "
           "to a syntax error in the script\n"},
      {{"current", broken, map}, 1, ":3:7: error: "},
      {{"feature", broken, map}, 1, ":3:7: error: "},
      {{"world", dir.file("missing.as"), world}, 1,
       "cannot read " + dir.file("missing.as") + ": No such file or directory"},
      {{"current", world, map}, 1, "cannot read " + world + ": Is a directory"},
      {{"world", fine, world}, 2,
       "vekgen: cannot write " + world + "VEKCD.MAP: Is a directory\nvekgen: no map of " + world +
           " was changed\n"},
      {{"current", fine, dir.file("no-such-folder/m.MAP")}, 2,
       "cannot write " + dir.file("no-such-folder/m.MAP") + ": No such file or directory"},
      {{"world", fine, dir.file("nowhere")}, 1,
       "cannot write into " + dir.file("nowhere") + ": No such file or directory"},
      {{"current", fine, dir.file("BAD.MAP")}, 1, "not a readable map file"},
      {{"current", fine, dir.file("BIG.MAP")}, 1, "larger than a map file can be (51163 bytes"},
      // An endless script stopped by the time limit, or by SIGINT or SIGTERM
      // from timeout(1), which passes vekgen's status on.
      {{"world", endless, world, "--timeout", "0.3"}, 3, "stopped at the time limit; nothing"},
      {{"current", endless, map}, 130, "stopped by signal 2",
       {"timeout", "--preserve-status", "-s", "INT", "0.3"}},
      {{"transform", endless, world}, 143, "stopped by signal 15",
       {"timeout", "--preserve-status", "-s", "TERM", "0.3"}},
      // Without --pos nobody can answer getpos, not even in an initialiser.
      {{"feature", asks, map}, 1, "--pos X,Y"},
      {{"feature", asksEarly, map}, 1, "--pos X,Y"},
  };
  for (const auto& c : cases) {
    ProgramResult result = runVekgen(c.args, c.stoppedBy);
    EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.args[1] << ": " << result.err;
    EXPECT_TRUE(contains(result.err, c.errPart)) << result.err;
    EXPECT_EQ(result.out, "") << result.err;
  }
  EXPECT_EQ(test::folderEntries(world), std::vector<std::string>{"VEKCD.MAP"});
  EXPECT_EQ(readFileBytes(map) + readFileBytes(dir.file("BIG.MAP")), before + big);
  EXPECT_EQ(readFileBytes(dir.file("BAD.MAP")), "WILDERNESS!\r\n short\r\n");
  EXPECT_FALSE(fs::exists(dir.file("nowhere")));
}

TEST_F(Vekgen, EachModeWritesItsMapsAndTheSameSeedGivesTheSameWorld) {
  std::string path = script(R"(void main() {
    message("50% of %d done");
    settile(49, 1, 61);
    for (int y = 1; y <= 480; y += 7)
      for (int x = 100; x <= 960; x += 5) settile(x, y, rand() % 256);
  })");
  ProgramResult result = runVekgen({"world", path, world, "--seed", "7"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out + result.err,
            "50% of %d done\nvekgen: wrote 400 of 400 wilderness map files in " + world + "\n");
  Map ba((world + "VEKBA.MAP").c_str());
  EXPECT_EQ(ba.getTile(0, 0) * 1000 + countNonZeroCells(ba), 61001);
  for (const char* other : {"again", "other"}) fs::create_directory(dir.file(other));
  ASSERT_EQ(runVekgen({"world", path, dir.file("again"), "--seed", "7"}).status, 0);
  ASSERT_EQ(runVekgen({"world", path, dir.file("other"), "--seed", "8"}).status, 0);
  EXPECT_EQ(readWorld(world), readWorld(dir.file("again/")));
  EXPECT_NE(readFileBytes(world + "VEKJK.MAP"), readFileBytes(dir.file("other/VEKJK.MAP")));

  // current starts from nothing and keeps the map's kind and teleports;
  // feature answers getpos with --pos and starts from the map.
  Map local = test::filledMap(44, MapKind::Local);
  local.addTeleport(4, 5, "CELLAR");
  ASSERT_TRUE(local.save(dir.file("T0121.MAP").c_str()));
  path = script("void main() { settile(2, 3, 35); settile(1, 24, 35); }");
  result = runVekgen({"current", path, dir.file("T0121.MAP")});
  EXPECT_EQ(result.out + result.err, "vekgen: wrote " + dir.file("T0121.MAP") + "\n");
  ASSERT_EQ(runVekgen({"current", path, dir.file("NEW.MAP")}).status, 0);
  EXPECT_EQ(Map(dir.file("NEW.MAP").c_str()).getTile(0, 23), 35) << "a new map is wilderness";
  path = script("void main() {\n  int x, y;\n  getpos(x, y);\n  message(\"at \" + x + \",\" + y);\n"
                "  settile(x, y, gettile(x, y) + 1);\n}\n");
  result = runVekgen({"feature", path, dir.file("T0121.MAP"), "--pos", "3,6"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(contains(result.out, "at 3,6\n"));
  Map featured(dir.file("T0121.MAP").c_str());
  EXPECT_EQ(featured.kind, MapKind::Local);
  EXPECT_EQ(featured.teleportCount(), 1);
  EXPECT_EQ(featured.getTile(2, 5) * 1000 + featured.getTile(1, 2), 1035);
  EXPECT_EQ(countNonZeroCells(featured), 2);
  EXPECT_EQ(runVekgen({"feature", script("void main() { }"), dir.file("NEW.MAP")}).status, 0)
      << "a script that does not ask for a position needs no --pos";

  // An exception is reported; the writes before it are kept.
  path = script("void main() {\n  settile(1, 1, 9);\n  int z = 0;\n  z = 1 / z;\n"
                "  settile(2, 1, 9);\n}\n");
  for (const std::string& target : {dir.file("M.MAP"), world}) {
    result = runVekgen({target == world ? "transform" : "current", path, target});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(contains(result.err, path + ":4: script exception in void main()")) << result.err;
    Map excepted((target == world ? world + "VEKAA.MAP" : target).c_str());
    EXPECT_EQ(excepted.getTile(0, 0) * 1000 + excepted.getTile(1, 0), 9000);
  }
}

// Codes of the default tile set the samples use: '~' deep and 'w' shallow
// water, 's' sand, ',' grass, 'F' farmland, 'T' forest, 'n' hills, 'M'
// mountains, '=' road, 'o' town, 'h' house, 'W' well, '*' snow.
std::string sample(const char* name) { return std::string(VEK_SAMPLE_SCRIPTS) + "/" + name; }

// How often each code occurs in width x height cells, each a code of the
// default tile set; landOnBorder counts the border cells that are not water.
std::map<TileCode, int> countCodes(int width, int height,
                                   const std::function<TileCode(int, int)>& at,
                                   int& landOnBorder) {
  std::map<TileCode, int> counts;
  landOnBorder = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const TileCode code = at(x, y);
      ++counts[code];
      const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      landOnBorder += border && code != '~' && code != 'w';
    }
  }
  for (const auto& [code, count] : counts)
    EXPECT_TRUE(contains("~wsd,FmTnM*X=BohCOW#.+<>ca", std::string(1, code))) << int(code);
  return counts;
}

TEST_F(Vekgen, TheSampleScriptsMakeWhatTheyPromise) {
  // world: land in a sea, with coasts, forests, hills, roads and towns.
  ASSERT_EQ(runVekgen({"world", sample("world.as"), world, "--seed", "1"}).status, 0);
  auto cells = std::make_unique<test::WorldCells>(world);
  int landOnBorder = 0;
  auto counts = countCodes(960, 480, [&](int x, int y) { return cells->at(x, y); }, landOnBorder);
  EXPECT_EQ(landOnBorder, 0) << "the world ends in sea";
  const int water = counts['~'] + counts['w'];
  EXPECT_TRUE(water > 960 * 480 * 3 / 10 && water < 960 * 480 * 8 / 10) << water;
  for (TileCode code : {'s', ',', 'T', 'n', 'M', '=', 'o', 'h'})
    EXPECT_GT(counts[code], 0) << code;
  EXPECT_GT(counts['='], 100);
  EXPECT_GT(counts['T'], 960 * 480 / 50);

  // winter: snow on the north; the rest and the teleports stay.
  const std::string north = *wildernessMapPath(world, 10, 1);
  Map withInn(north.c_str());
  withInn.addTeleport(4, 4, "INN");
  ASSERT_TRUE(withInn.save(north.c_str()));
  const std::vector<std::string> before = readWorld(world);
  ASSERT_EQ(runVekgen({"transform", sample("winter.as"), world, "--seed", "3"}).status, 0);
  cells = std::make_unique<test::WorldCells>(world);
  counts = countCodes(960, 84, [&](int x, int y) { return cells->at(x, y); }, landOnBorder);
  EXPECT_GT(counts['*'], 0);
  for (TileCode code : {',', 'T', 'n', 'F', 'w'})
    EXPECT_EQ(counts[code], 0) << code;
  EXPECT_EQ(Map(north.c_str()).teleportCount(), 1);
  const std::vector<std::string> after = readWorld(world);
  EXPECT_TRUE(std::equal(after.begin() + 100, after.end(), before.begin() + 100));

  // island: an island in the sea of one map.
  const std::string island = dir.file("ISLAND.MAP");
  ASSERT_EQ(runVekgen({"current", sample("island.as"), island, "--seed", "4"}).status, 0);
  const Map made(island.c_str());
  counts = countCodes(48, 24, [&](int x, int y) { return made.getTile(x, y); }, landOnBorder);
  EXPECT_EQ(landOnBorder, 0);
  const int land = 48 * 24 - counts['~'] - counts['w'];
  EXPECT_TRUE(land > 48 * 24 / 4 && land < 48 * 24 * 3 / 4) << land;
  for (TileCode code : {'s', ',', 'o', '='}) EXPECT_GT(counts[code], 0) << code;

  // farmstead: built where asked, joined to the road; on water it only
  // explains, and the map keeps its cells.
  Map plain = test::filledMap(',');
  for (int y = 0; y < Map::kRows; ++y) plain.setTile(19, y, '=');
  plain.setTile(0, 0, '~');
  const std::string farmPath = dir.file("VEKAA.MAP"), farmstead = sample("farmstead.as");
  ASSERT_TRUE(plain.save(farmPath.c_str()));
  ASSERT_EQ(runVekgen({"feature", farmstead, farmPath, "--pos", "10,12"}).status, 0);
  const Map farm(farmPath.c_str());
  std::string row;
  for (int x = 9; x <= 19; ++x) row += static_cast<char>(farm.getTile(x, 11));
  EXPECT_EQ(row, "hW=========");
  EXPECT_EQ(std::vector<int>({farm.getTile(9, 10), farm.getTile(9, 12), farm.getTile(40, 2),
                              farm.getTile(0, 0)}),
            std::vector<int>({'F', 'F', ',', '~'}));
  const std::string built = readFileBytes(farmPath);
  ProgramResult refused = runVekgen({"feature", farmstead, farmPath, "--pos", "1,1"});
  EXPECT_EQ(refused.status, 0);
  EXPECT_TRUE(contains(refused.out, "No farmstead at 1,1"));
  EXPECT_EQ(readFileBytes(farmPath), built);
}

// Fills the first row of every one of the 400 maps with tile, and one more
// cell per map that depends on its place, so that no two files are alike.
std::string worldScript(char tile) {
  return "void main() {\n  for (int r = 0; r < 20; r++) for (int c = 0; c < 20; c++) {\n"
         "    for (int x = 1; x <= 48; x++) settile(48 * c + x, 24 * r + 1, " +
         std::to_string(tile) + ");\n    settile(48 * c + 1 + r, 24 * r + 2 + c, 65 + r + c);\n"
         "  }\n}\n";
}

// A world rewrite killed (or failing) through strace at the Nth call of a
// file system step: once a map of the folder is opened, the world is the
// whole old or the whole new one, and nothing else is left. Before the
// journal's rename to "renaming" (renameat call 1, after the writes of the
// journal and the 400 files and a syncfs) the old world stays; after it,
// the rewrite is completed.
TEST_F(Vekgen, AWorldRewriteKilledAtAnyStepLeavesTheWholeOldOrTheWholeNewWorld) {
  const std::string scripts[2] = {script(worldScript('a'), "a.as"),
                                 script(worldScript('b'), "b.as")};
  std::vector<std::string> complete[2];
  for (int s : {0, 1}) {
    ASSERT_EQ(runVekgen({"world", scripts[s], world}).status, 0);
    complete[s] = readWorld(world);
  }
  const struct {
    const char* step;
    int when;
    bool endsNew;
    int status = 128 + 9;
    const char* fault = "signal=KILL";
  } cases[] = {
      {"write", 1, false}, {"openat", 200, false}, {"write", 201, false}, {"syncfs", 1, false},
      {"renameat", 1, false}, {"renameat", 2, true}, {"renameat", 401, true}, {"fsync", 5, true},
      {"unlinkat", 1, true}, {"write", 201, false, 2, "error=ENOSPC"},
      // A SIGTERM while the files are written: the write ends, then vekgen.
      {"write", 100, true, 128 + 15, "signal=TERM"},
  };
  int current = 1;
  for (const auto& c : cases) {
    const std::string point = c.step + std::string(" call ") + std::to_string(c.when);
    const int next = 1 - current;
    ProgramResult result = runVekgen(
        {"world", scripts[next], world},
        {"strace", "-qq", "-o", "/dev/null", "-e", std::string("trace=") + c.step, "-e",
         std::string("inject=") + c.step + ":" + c.fault + ":when=" + std::to_string(c.when)});
    EXPECT_EQ(result.status, c.status) << point;
    Map().load((world + "VEKAA.MAP").c_str());  // the next program that opens a map
    EXPECT_EQ(readWorld(world), complete[c.endsNew ? next : current]) << point;
    EXPECT_EQ(test::folderEntries(world).size(), 400u) << point;
    if (c.endsNew) current = next;
    if (c.status == 2) {
      EXPECT_EQ(result.err, "vekgen: cannot write " + world + "VEKTJ.MAP: No space left on "
                            "device\nvekgen: no map of " + world + " was changed\n");
    }
  }
}

// A single map is synced before its rename, the folder after it.
TEST_F(Vekgen, AMapIsSyncedBeforeItsRenameAndTheFolderAfter) {
  const std::string trace = dir.file("trace");
  ASSERT_EQ(runVekgen({"current", script("void main() { }"), world + "VEKAA.MAP"},
                      {"strace", "-qq", "-y", "-o", trace, "-e", "trace=fsync,rename,renameat"})
                .status,
            0);
  std::istringstream lines(readFileBytes(trace));
  std::string order;
  for (std::string line; std::getline(lines, line);) {
    if (contains(line, "fsync(") && contains(line, ".vekmap-")) order += "temp synced, ";
    if (contains(line, "rename") && contains(line, "VEKAA.MAP")) order += "renamed, ";
    if (contains(line, "fsync(") && contains(line, world.substr(0, world.size() - 1) + ">"))
      order += "folder synced, ";
  }
  EXPECT_EQ(order, "temp synced, renamed, folder synced, ");
}

}  // namespace
}  // namespace vek
