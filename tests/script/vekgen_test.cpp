// vekgen end to end: the real program run as a subprocess (without a
// display) on temporary folders.

#include <gtest/gtest.h>

#include <filesystem>

#include "map/map.h"
#include "map/map_naming.h"
#include "temp_dir.h"
#include "vekgen_runner.h"

namespace vek {
namespace {

using test::contains;
using test::countMapFiles;
using test::countNonZeroCells;
using test::readFileBytes;
using test::writeFileBytes;
using Result = test::VekgenResult;

class Vekgen : public ::testing::Test {
 protected:
  Vekgen() { std::filesystem::create_directory(world); }
  std::string script(const std::string& text, const std::string& name = "script.as") {
    writeFileBytes(dir.file(name), text);
    return dir.file(name);
  }
  Result run(const std::vector<std::string>& args) { return test::runVekgen(args); }

  test::TempDir dir;
  const std::string world = dir.file("world");
};

TEST_F(Vekgen, UsageErrorsPrintTheUsageAndExit64) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"world"}, {"world", "s.as"}, {"fly", "s.as", "out"}, {"world", "s.as", "out", "extra"},
      {"feature", "s.as", "m.MAP", "--pos"}, {"feature", "s.as", "m.MAP", "--pos", "49,1"},
      {"feature", "s.as", "m.MAP", "--pos", "0,1"}, {"feature", "s.as", "m.MAP", "--pos", "1,25"},
      {"feature", "s.as", "m.MAP", "--pos", "3"}, {"feature", "s.as", "m.MAP", "--pos", "3,4x"},
      {"world", "s.as", "out", "--seed", "-1"}, {"world", "s.as", "out", "--timeout", "0"},
      {"world", "s.as", "out", "--timeout", "1s"}, {"world", "s.as", "out", "--colour"},
  };
  for (const auto& args : cases) {
    Result result = run(args);
    std::string shown;
    for (const auto& arg : args) shown += arg + " ";
    EXPECT_EQ(result.status, 64) << shown;
    EXPECT_TRUE(contains(result.err, "usage: vekgen world SCRIPT FOLDER")) << shown;
    EXPECT_EQ(result.out, "") << shown;
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
  Map original;
  original.setTile(0, 0, 5);
  ASSERT_TRUE(original.save(dir.file("map.MAP").c_str()));
  const std::string map = dir.file("map.MAP"), before = readFileBytes(map);
  const std::string endless = script("void main() { settile(1, 1, 9); while (true) {} }", "e.as");
  ASSERT_TRUE(writeFileBytes(dir.file("BAD.MAP"), "WILDERNESS!\r\n short\r\n"));
  const std::string big = "WILDERNESS!\r\n" + std::string(51150, ' ');
  ASSERT_TRUE(writeFileBytes(dir.file("BIG.MAP"), big));
  std::filesystem::create_directory(world + "/VEKCD.MAP");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string errPart;
    std::vector<std::string> stoppedBy = {};  // a command that runs vekgen and signals it
  };
  const Case cases[] = {
      {{"world", broken, world}, 1, broken + ":3:7: error: "},
      {{"world", broken, world}, 1,
       "Error building script.  This is probably due to a syntax error in the script\n"},
      {{"current", broken, map}, 1, ":3:7: error: "},
      {{"feature", broken, map}, 1, ":3:7: error: "},
      {{"world", dir.file("missing.as"), world}, 1,
       "cannot read " + dir.file("missing.as") + ": No such file or directory"},
      {{"current", world, map}, 1, "cannot read " + world + ": Is a directory"},
      {{"world", fine, world}, 2,
       "vekgen: cannot write " + world + "/VEKCD.MAP: Is a directory\nvekgen: no map of " + world +
           "/ was changed\n"},
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
  for (const Case& c : cases) {
    Result result = test::runVekgen(c.args, c.stoppedBy);
    EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.args[1] << ": " << result.err;
    EXPECT_TRUE(contains(result.err, c.errPart)) << result.err;
    EXPECT_EQ(result.out, "") << result.err;
  }
  EXPECT_EQ(countMapFiles(world), 0);
  EXPECT_EQ(readFileBytes(map), before);
  EXPECT_EQ(readFileBytes(dir.file("BAD.MAP")), "WILDERNESS!\r\n short\r\n");
  EXPECT_EQ(readFileBytes(dir.file("BIG.MAP")), big);
  EXPECT_FALSE(std::filesystem::exists(dir.file("nowhere")));
}

TEST_F(Vekgen, WorldWritesFourHundredMapsAndTheSameSeedGivesTheSameWorld) {
  std::string path = script(R"(void main() {
    message("50% of %d done");
    settile(49, 1, 61);
    for (int y = 1; y <= 480; y += 7) for (int x = 100; x <= 960; x += 5) settile(x, y, rand() % 256);
  })");
  Result result = run({"world", path, world, "--seed", "7"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "50% of %d done\nvekgen: wrote 400 of 400 wilderness map files in " +
                            world + "/\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(countMapFiles(world), 400);
  Map ba((world + "/VEKBA.MAP").c_str());
  EXPECT_EQ(ba.getTile(0, 0), 61);
  EXPECT_EQ(countNonZeroCells(ba), 1);

  for (const char* other : {"again", "other"}) std::filesystem::create_directory(dir.file(other));
  ASSERT_EQ(run({"world", path, dir.file("again"), "--seed", "7"}).status, 0);
  ASSERT_EQ(run({"world", path, dir.file("other"), "--seed", "8"}).status, 0);
  EXPECT_EQ(readFileBytes(world + "/VEKJK.MAP"), readFileBytes(dir.file("again/VEKJK.MAP")));
  EXPECT_NE(readFileBytes(world + "/VEKJK.MAP"), readFileBytes(dir.file("other/VEKJK.MAP")));
}

TEST_F(Vekgen, CurrentAndFeatureWriteTheMapKeepingKindAndTeleports) {
  Map local;
  local.kind = MapKind::Local;
  for (int x = 0; x < Map::kColumns; ++x) local.setTile(x, 5, 44);
  local.addTeleport(4, 5, "CELLAR");
  ASSERT_TRUE(local.save(dir.file("T0121.MAP").c_str()));
  std::string path = script("void main() { settile(2, 3, 35); settile(1, 24, 35); }");
  Result result = run({"current", path, dir.file("T0121.MAP")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "vekgen: wrote " + dir.file("T0121.MAP") + "\n");
  Map written(dir.file("T0121.MAP").c_str());
  EXPECT_EQ(written.kind, MapKind::Local);
  EXPECT_EQ(written.teleportCount(), 1);
  EXPECT_EQ(written.getTile(1, 2), 35);
  EXPECT_EQ(countNonZeroCells(written), 1);
  ASSERT_EQ(run({"current", path, dir.file("NEW.MAP")}).status, 0);
  Map created(dir.file("NEW.MAP").c_str());
  EXPECT_EQ(created.kind, MapKind::Wilderness);
  EXPECT_EQ(created.getTile(0, 23), 35);

  // feature answers getpos with --pos and starts from the map.
  path = script(R"(void main() {
    int x, y;
    getpos(x, y);
    message("at " + x + "," + y);
    settile(x, y, gettile(x, y) + 1);
  })");
  result = run({"feature", path, dir.file("T0121.MAP"), "--pos", "3,6"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(contains(result.out, "at 3,6\n"));
  Map featured(dir.file("T0121.MAP").c_str());
  EXPECT_EQ(featured.teleportCount(), 1);
  EXPECT_EQ(featured.getTile(2, 5), 1);
  EXPECT_EQ(featured.getTile(1, 2), 35);
  EXPECT_EQ(countNonZeroCells(featured), 2);
  EXPECT_EQ(run({"feature", script("void main() { settile(1, 1, 7); }"), dir.file("NEW.MAP")}).status,
            0) << "a script that does not ask for a position needs no --pos";

  // An exception is reported; the writes before it are kept.
  path = script("void main() {\n  settile(1, 1, 9);\n  int z = 0;\n  z = 1 / z;\n"
                "  settile(2, 1, 9);\n}\n");
  result = run({"current", path, dir.file("M.MAP")});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(contains(result.err, path + ":4: script exception in void main()")) << result.err;
  Map excepted(dir.file("M.MAP").c_str());
  EXPECT_EQ(excepted.getTile(0, 0), 9);
  EXPECT_EQ(excepted.getTile(1, 0), 0);
}

}  // namespace
}  // namespace vek
