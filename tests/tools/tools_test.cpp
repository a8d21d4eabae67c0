// The command-line tools: their common answers (--help, --version, a usage
// error), vekworld's commands, veksample's maps, and a run from an install.
#include <gtest/gtest.h>

#include <cstdio>

#include "child_process.h"
#include "temp_dir.h"
#include "tools/veksample/sample_maps.h"
#include "test_maps.h"

namespace vek {
namespace {

using test::ProgramResult;
using test::runProgram;

TEST(CommandLine, EveryProgramAnswersHelpVersionAndUsageErrorsAlike) {
  const struct {
    const char* name;
    const char* path;
    std::vector<std::string> usageError;
  } tools[] = {
      {"vekedit", VEKEDIT_PATH, {"--colour"}},
      {"vekgen", VEKGEN_PATH, {"world", "only-a-script.as"}},
      {"vekpack", VEKPACK_PATH, {"--list"}},
      {"vektiles", VEKTILES_PATH, {"--bmp-dir"}},
      {"veksample", VEKSAMPLE_PATH, {"one", "two"}},
      {"vekbench", VEKBENCH_PATH, {"--repetitions", "0"}},
      {"vekworld", VEKWORLD_PATH, {"check"}},
  };
  for (const auto& tool : tools) {
    const std::string name = tool.name;
    ProgramResult help = runProgram(tool.path, {"--help"});
    ProgramResult version = runProgram(tool.path, {"--version"});
    ProgramResult wrong = runProgram(tool.path, tool.usageError);
    EXPECT_EQ((std::vector<int>{help.status, version.status, wrong.status}),
              (std::vector<int>{0, 0, 64})) << name << ": " << wrong.err;
    EXPECT_EQ(help.err + version.err + wrong.out, "") << name;
    EXPECT_EQ(help.out.rfind("usage: " + name, 0), 0u) << help.out;
    EXPECT_EQ(version.out, name + " (VEK Map Editor) " VEK_VERSION "\n");
    EXPECT_EQ(wrong.err.rfind(name + ": ", 0), 0u) << wrong.err;
    EXPECT_TRUE(test::contains(wrong.err, "usage: ")) << wrong.err;
  }
}

TEST(Vekworld, ChecksAndRendersAWorldWithTheExitStatusOfTheOutcome) {
  test::TempDir problems, clean;
  const std::string bad = problems.path() + "/", good = clean.path() + "/";
  for (const std::string& folder : {bad, good}) test::writeFilledWorld(folder, ',');
  std::remove((bad + "VEKTT.MAP").c_str());
  Map withTeleport = test::filledMap(',');
  withTeleport.addTeleport(6, 5, "NOWHERE");
  ASSERT_TRUE(withTeleport.save((bad + "VEKAA.MAP").c_str()));
  test::writeFilledMap(good + "INN.MAP", ',', MapKind::Interior);
  withTeleport.removeTeleport(0);
  withTeleport.addTeleport(2, 2, "INN");  // no way back: a warning
  ASSERT_TRUE(withTeleport.save((good + "VEKAA.MAP").c_str()));
  const std::string picture = good + "world.png";
  struct {
    std::vector<std::string> args;
    int status;
    std::string outPart;
    std::string pngSize = {};  // width and height of the picture written, if any
  } cases[] = {
      {{"check", bad}, 1, "VEKAA.MAP: teleport at 6,5 to NOWHERE: NOWHERE.MAP does not exist\n"},
      {{"check", bad, "--json"}, 1,
       "{\"file\": \"VEKTT.MAP\", \"kind\": \"missing-wilderness-map\", \"severity\": \"problem\""},
      {{"check", good}, 0, "VEKAA.MAP: warning: teleport at 2,2 to INN"},
      {{"check", good, "--json"}, 0, "\"problemCount\": 0, \"warningCount\": 1"},
      {{"check", bad + "none"}, 2, ""},
      {{"explode", good}, 64, ""},
      {{"render", good, picture, "--scale", "cell", "--grid", "--data", VEK_DEFAULT_TILES}, 0, "",
       std::string("\0\0\x03\xc0\0\0\x01\xe0", 8)},  // 960 x 480
      {{"render", good, picture, "--data", good + "none.dat"}, 1, ""},
      {{"render", good + "none/", picture, "--scale", "cell"}, 2, ""},
      {{"render", good, picture, "--scale", "huge"}, 64, ""},
      {{"render", good}, 64, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    std::remove(picture.c_str());
    ProgramResult run = runProgram(VEKWORLD_PATH, c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_TRUE(test::contains(run.out, c.outPart)) << run.out;
    std::string png = test::readFileBytes(picture);
    EXPECT_EQ(png.empty() ? "" : png.substr(16, 8), c.pngSize);
  }
}

TEST(SampleMaps, JoinATownsLocalMapAnInnAndACaveToTheWorldOnce) {
  test::TempDir dir, plain, empty;
  const std::string folder = dir.path() + "/";
  test::writeFilledMap(folder + "VEKAA.MAP", ',');
  Map town = test::filledMap(',');
  town.setTile(10, 10, 'o');
  ASSERT_TRUE(town.save((folder + "VEKBB.MAP").c_str()));
  SampleMaps added;
  std::string error;
  ASSERT_TRUE(addSampleMaps(folder, added, error)) << error;
  EXPECT_EQ(added.wildernessPath + " " + added.localPath + " " + added.innPath + " " +
                added.cavePath + " " + std::to_string(added.townColumn * 100 + added.townRow),
            folder + "VEKBB.MAP " + folder + "TBB3123.MAP " + folder + "INN.MAP " + folder +
                "CAVE.MAP 1010");
  EXPECT_EQ(Map(added.wildernessPath.c_str()).getTile(12, 10), 'O');
  for (const std::string& path : {added.wildernessPath, added.localPath, added.innPath,
                                  added.cavePath}) {
    Map map(path.c_str());
    EXPECT_EQ(map.kind, path == added.wildernessPath ? MapKind::Wilderness
                        : path == added.localPath    ? MapKind::Local
                                                     : MapKind::Interior);
    EXPECT_GT(map.teleportCount(), 0) << path;
    for (const Teleport& teleport : map.teleports()) {
      EXPECT_TRUE(Map().load((folder + teleport.name + ".MAP").c_str())) << teleport.name;
      // Each stands on a door, stairs, cave or the road's end, not on rock or wall.
      TileCode code = map.getTile(teleport.x - 1, teleport.y - 1);
      EXPECT_TRUE(map.kind == MapKind::Wilderness || code == '+' || code == '<' || code == '=');
    }
  }
  const Teleport door = Map(added.wildernessPath.c_str()).teleports().at(0);
  EXPECT_EQ((std::pair{door.x, door.y}), (std::pair{13, 11}));
  EXPECT_FALSE(addSampleMaps(folder, added, error));
  EXPECT_TRUE(test::contains(error, "there already")) << error;
  EXPECT_EQ(Map((folder + "VEKBB.MAP").c_str()).teleportCount(), 1);

  // Without a town the middle of a map becomes one; no wilderness is refused.
  test::writeFilledMap(plain.path() + "/VEKCA.MAP", ',');
  ASSERT_TRUE(addSampleMaps(plain.path() + "/", added, error)) << error;
  EXPECT_EQ(Map(added.wildernessPath.c_str()).getTile(24, 12), 'o');
  EXPECT_EQ(added.localPath, plain.path() + "/TCA4525.MAP");
  EXPECT_FALSE(addSampleMaps(empty.path() + "/", added, error));
  EXPECT_TRUE(test::contains(error, "no wilderness map")) << error;
}

TEST(CommandLine, InstalledProgramsRunFromTheirPrefix) {
  test::TempDir dir;
  const std::string prefix = dir.file("prefix"), share = prefix + "/share/vek-map-editor";
  ProgramResult install = runProgram(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", prefix});
  ASSERT_EQ(install.status, 0) << install.out << install.err;
  ProgramResult world = runProgram(
      prefix + "/bin/vekgen", {"world", share + "/scripts/world.as", dir.path(), "--seed", "7"});
  EXPECT_EQ(world.status, 0) << world.err;
  EXPECT_EQ(test::readFileBytes(dir.file("VEKTT.MAP")).size(), 24u * 51u + 2u + 11u);
  ProgramResult check = runProgram(prefix + "/bin/vekpack", {"--check", share + "/data.dat"});
  EXPECT_EQ(check.status, 0) << check.out << check.err;
  EXPECT_TRUE(test::contains(check.out, "256 of the 256 tile codes have an entry, 0 unusable"));
  for (const char* installed : {"/share/applications/vek-map-editor.desktop",
                                "/share/icons/hicolor/64x64/apps/vek-map-editor.png",
                                "/share/doc/vek-map-editor/README.md", "/bin/vekedit"})
    EXPECT_FALSE(test::readFileBytes(prefix + installed).empty()) << installed;
}

}  // namespace
}  // namespace vek
