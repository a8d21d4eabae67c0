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
using test::TempDir;
using test::writeFileBytes;
using test::runVekgen;
using Result = test::VekgenResult;

class Vekgen : public ::testing::Test {
 protected:
  Vekgen() { std::filesystem::create_directory(world()); }
  std::string script(const std::string& text) {
    writeFileBytes(dir.file("script.as"), text);
    return dir.file("script.as");
  }
  std::string world() const { return dir.file("world"); }

  TempDir dir;
};

TEST_F(Vekgen, UsageErrorsPrintTheUsageAndExit64) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"world"},
      {"world", "s.as"},
      {"fly", "s.as", "out"},
      {"world", "s.as", "out", "extra"},
      {"feature", "s.as", "m.MAP", "--pos"},
      {"feature", "s.as", "m.MAP", "--pos", "49,1"},
      {"feature", "s.as", "m.MAP", "--pos", "0,1"},
      {"feature", "s.as", "m.MAP", "--pos", "1,25"},
      {"feature", "s.as", "m.MAP", "--pos", "3"},
      {"feature", "s.as", "m.MAP", "--pos", "3,4x"},
      {"world", "s.as", "out", "--seed", "-1"},
      {"world", "s.as", "out", "--colour"},
  };
  for (const auto& args : cases) {
    Result result = runVekgen(dir, args);
    std::string shown;
    for (const auto& arg : args) shown += arg + " ";
    EXPECT_EQ(result.status, 64) << shown;
    EXPECT_TRUE(contains(result.err, "usage: vekgen world SCRIPT FOLDER")) << shown;
    EXPECT_EQ(result.out, "") << shown;
  }
  Result help = runVekgen(dir, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(contains(help.out, "usage: vekgen"));
}

TEST_F(Vekgen, WorldWritesFourHundredMapsAndPrintsMessages) {
  std::string path = script(R"(void main() {
    message("50% of %d done");
    settile(49, 1, 61);
  })");
  Result result = runVekgen(dir, {"world", path, world()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "50% of %d done\nvekgen: wrote 400 of 400 wilderness map files in " +
                            world() + "/\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(countMapFiles(world()), 400);
  Map ba(dir.file("world/VEKBA.MAP").c_str());
  EXPECT_EQ(ba.getTile(0, 0), 61);
  EXPECT_EQ(countNonZeroCells(ba), 1);
  Map tt(dir.file("world/VEKTT.MAP").c_str());
  EXPECT_EQ(countNonZeroCells(tt), 0);
}

TEST_F(Vekgen, AScriptThatDoesNotBuildGivesItsDiagnosticsAndWritesNothing) {
  std::string path = script("void main() {\n  int a = 1;\n  a = ;\n}\n");
  Result result = runVekgen(dir, {"world", path, world()});
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(contains(result.err, path + ":3:7: error: ")) << result.err;
  EXPECT_TRUE(contains(result.err, "Error building script.  This is probably due to a syntax "
                                   "error in the script\n"));
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(countMapFiles(world()), 0);

  Map original;
  original.setTile(0, 0, 5);
  ASSERT_TRUE(original.save(dir.file("map.MAP").c_str()));
  std::string before = readFileBytes(dir.file("map.MAP"));
  for (const char* mode : {"current", "feature"}) {
    Result onMap = runVekgen(dir, {mode, path, dir.file("map.MAP")});
    EXPECT_EQ(onMap.status, 1) << mode;
    EXPECT_TRUE(contains(onMap.err, ":3:7: error: ")) << mode;
    EXPECT_EQ(readFileBytes(dir.file("map.MAP")), before) << mode;
  }
}

TEST_F(Vekgen, AScriptThatCannotBeReadExits1) {
  Result missing = runVekgen(dir, {"world", dir.file("missing.as"), world()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(contains(missing.err, "cannot read " + dir.file("missing.as") +
                                        ": No such file or directory"));
  Result folder = runVekgen(dir, {"current", world(), dir.file("m.MAP")});
  EXPECT_EQ(folder.status, 1);
  EXPECT_TRUE(contains(folder.err, "cannot read " + world() + ": Is a directory"));
  EXPECT_EQ(countMapFiles(world()), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("m.MAP")));
}

TEST_F(Vekgen, AnUnwritableMapFileIsNamedWithItsReasonAndNothingIsWrittenWithExit2) {
  std::filesystem::create_directory(dir.file("world/VEKCD.MAP"));
  Result result = runVekgen(dir, {"world", script("void main() { settile(1, 1, 9); }"), world()});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "vekgen: cannot write " + world() + "/VEKCD.MAP: Is a directory\n" +
                            "vekgen: no map of " + world() + "/ was changed\n");
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(countMapFiles(world()), 0);

  Result current = runVekgen(dir, {"current", script("void main() { settile(1, 1, 9); }"),
                                   dir.file("no-such-folder/m.MAP")});
  EXPECT_EQ(current.status, 2);
  EXPECT_TRUE(contains(current.err, "cannot write " + dir.file("no-such-folder/m.MAP") +
                                        ": No such file or directory"));
}

TEST_F(Vekgen, AWorldFolderThatIsNotAFolderExits1) {
  Result result = runVekgen(dir, {"world", script("void main() {}"), dir.file("nowhere")});
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(contains(result.err,
                       "cannot write into " + dir.file("nowhere") + ": No such file or directory"));
  EXPECT_FALSE(std::filesystem::exists(dir.file("nowhere")));
}

TEST_F(Vekgen, CurrentMakesTheMapFromNothingKeepingKindAndTeleports) {
  Map local;
  local.kind = MapKind::Local;
  for (int x = 0; x < Map::kColumns; ++x) local.setTile(x, 5, 44);
  local.addTeleport(4, 5, "CELLAR");
  ASSERT_TRUE(local.save(dir.file("T0121.MAP").c_str()));
  std::string path = script("void main() { settile(2, 3, 35); settile(1, 24, 35); }");
  Result result = runVekgen(dir, {"current", path, dir.file("T0121.MAP")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "vekgen: wrote " + dir.file("T0121.MAP") + "\n");
  Map written(dir.file("T0121.MAP").c_str());
  EXPECT_EQ(written.kind, MapKind::Local);
  EXPECT_EQ(written.teleportCount(), 1);
  EXPECT_EQ(written.getTile(1, 2), 35);
  EXPECT_EQ(countNonZeroCells(written), 1);

  Result fresh = runVekgen(dir, {"current", path, dir.file("NEW.MAP")});
  EXPECT_EQ(fresh.status, 0);
  Map created(dir.file("NEW.MAP").c_str());
  EXPECT_EQ(created.kind, MapKind::Wilderness);
  EXPECT_EQ(created.getTile(0, 23), 35);
}

TEST_F(Vekgen, AMapFileThatCannotBeReadIsRefused) {
  writeFileBytes(dir.file("BAD.MAP"), "WILDERNESS!\r\n short\r\n");
  Result result = runVekgen(dir, {"current", script("void main() {}"), dir.file("BAD.MAP")});
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(contains(result.err, "not a readable map file"));
  EXPECT_EQ(readFileBytes(dir.file("BAD.MAP")), "WILDERNESS!\r\n short\r\n");
}

TEST_F(Vekgen, FeatureAnswersGetposWithThePosOption) {
  Map map;
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, 44);
  }
  map.addTeleport(1, 1, "HOME");
  ASSERT_TRUE(map.save(dir.file("VEKAA.MAP").c_str()));
  std::string path = script(R"(void main() {
    int x, y;
    getpos(x, y);
    message("at " + x + "," + y);
    settile(x, y, gettile(x, y) + 1);
  })");
  Result result = runVekgen(dir, {"feature", path, dir.file("VEKAA.MAP"), "--pos", "3,4"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(contains(result.out, "at 3,4\n"));
  Map written(dir.file("VEKAA.MAP").c_str());
  EXPECT_EQ(written.teleportCount(), 1);
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) {
      ASSERT_EQ(written.getTile(x, y), (x == 2 && y == 3) ? 45 : 44) << x << "," << y;
    }
  }

  // Without --pos nobody can answer getpos: the run fails, nothing written.
  std::string before = readFileBytes(dir.file("VEKAA.MAP"));
  Result unanswered = runVekgen(dir, {"feature", path, dir.file("VEKAA.MAP")});
  EXPECT_EQ(unanswered.status, 1);
  EXPECT_TRUE(contains(unanswered.err, "--pos X,Y")) << unanswered.err;
  EXPECT_FALSE(contains(unanswered.out, "at "));
  EXPECT_EQ(readFileBytes(dir.file("VEKAA.MAP")), before);

  // Nor from a global's initialiser, which runs while the script is built.
  Result early = runVekgen(dir, {"feature", script("int x, y;\nbool asked = ask();\n"
                                                   "bool ask() { getpos(x, y); return true; }\n"
                                                   "void main() { settile(x, y, 1); }\n"),
                                 dir.file("VEKAA.MAP")});
  EXPECT_EQ(early.status, 1);
  EXPECT_TRUE(contains(early.err, "--pos X,Y")) << early.err;
  EXPECT_FALSE(contains(early.err, "Error building script")) << early.err;
  EXPECT_EQ(readFileBytes(dir.file("VEKAA.MAP")), before);

  // A script that does not ask for a position needs no --pos.
  Result free = runVekgen(dir, {"feature", script("void main() { settile(1, 1, 7); }"),
                                dir.file("VEKAA.MAP")});
  EXPECT_EQ(free.status, 0) << free.err;
  EXPECT_EQ(Map(dir.file("VEKAA.MAP").c_str()).getTile(0, 0), 7);
}

TEST_F(Vekgen, AnExceptionIsReportedAndTheEarlierWritesAreKept) {
  std::string path = script("void main() {\n  settile(1, 1, 9);\n  int z = 0;\n  z = 1 / z;\n"
                            "  settile(2, 1, 9);\n}\n");
  Result result = runVekgen(dir, {"current", path, dir.file("M.MAP")});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(contains(result.err, path + ":4: script exception in void main()")) << result.err;
  Map written(dir.file("M.MAP").c_str());
  EXPECT_EQ(written.getTile(0, 0), 9);
  EXPECT_EQ(written.getTile(1, 0), 0);
}

TEST_F(Vekgen, TheSameSeedGivesTheSameWorld) {
  std::string path = script(R"(void main() {
    for (int y = 1; y <= 480; y += 7) for (int x = 1; x <= 960; x += 5) settile(x, y, rand() % 256);
  })");
  std::filesystem::create_directory(dir.file("again"));
  std::filesystem::create_directory(dir.file("other"));
  ASSERT_EQ(runVekgen(dir, {"world", path, world(), "--seed", "7"}).status, 0);
  ASSERT_EQ(runVekgen(dir, {"world", path, dir.file("again"), "--seed", "7"}).status, 0);
  ASSERT_EQ(runVekgen(dir, {"world", path, dir.file("other"), "--seed", "8"}).status, 0);
  EXPECT_EQ(readFileBytes(dir.file("world/VEKJK.MAP")), readFileBytes(dir.file("again/VEKJK.MAP")));
  EXPECT_NE(readFileBytes(dir.file("world/VEKJK.MAP")), readFileBytes(dir.file("other/VEKJK.MAP")));
}

}  // namespace
}  // namespace vek
