// vekworld run as a program: exit statuses and the two report forms.
#include <gtest/gtest.h>

#include "../map/problem_world.h"
#include "child_process.h"

namespace vek {
namespace {

test::ProgramResult runVekworld(const std::vector<std::string>& args) {
  return test::runProgram(VEKWORLD_PATH, args);
}

TEST(Vekworld, CheckReportsInTextAndJsonWithItsExitStatus) {
  test::TempDir problems, clean;
  test::writeProblemWorld(problems.path() + "/");
  for (int row = 0; row < kWorldSide; ++row)
    for (int column = 0; column < kWorldSide; ++column)
      test::saveTestMap(*wildernessMapPath(clean.path() + "/", column, row), MapKind::Wilderness, {});
  test::saveTestMap(clean.path() + "/INN.MAP", MapKind::Interior, {});
  test::saveTestMap(clean.path() + "/VEKAA.MAP", MapKind::Wilderness, {{2, 2, "INN"}});

  struct Case {
    std::vector<std::string> args;
    int status;
    std::string outPart;
  } cases[] = {
      {{"check", problems.path()}, 1,
       "VEKAA.MAP: teleport at 6,5 to NOWHERE: NOWHERE.MAP does not exist\n"},
      {{"check", problems.path(), "--json"}, 1,
       "{\"file\": \"VEKTT.MAP\", \"kind\": \"missing-wilderness-map\", \"severity\": "
       "\"problem\""},
      {{"check", clean.path()}, 0, "VEKAA.MAP: warning: teleport at 2,2 to INN"},
      {{"check", clean.path(), "--json"}, 0, "\"problemCount\": 0, \"warningCount\": 1"},
      {{"check", problems.path() + "/none"}, 2, ""},
      {{"check"}, 64, ""},
      {{"explode", clean.path()}, 64, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.size() > 1 ? c.args[1] : c.args[0]);
    test::ProgramResult run = runVekworld(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.out.find(c.outPart), std::string::npos) << run.out;
  }
}

TEST(Vekworld, RenderWritesThePictureOrSaysWhyNot) {
  test::TempDir world;
  std::string folder = world.path() + "/";
  test::saveTestMap(folder + "VEKAA.MAP", MapKind::Wilderness, {});
  std::string out = world.file("world.png");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string header;  // the PNG's width and height, when written
  } cases[] = {
      {{"render", folder, out, "--scale", "cell", "--grid", "--data", VEK_DEFAULT_TILES}, 0,
       std::string("\0\0\x03\xc0\0\0\x01\xe0", 8)},  // 960 x 480
      {{"render", folder, out, "--data", folder + "none.dat"}, 1, ""},
      {{"render", folder + "none/", out, "--scale", "cell"}, 2, ""},
      {{"render", folder, out, "--scale", "huge"}, 64, ""},
      {{"render", folder}, 64, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.size() > 4 ? c.args[4] : c.args.back());
    std::remove(out.c_str());
    EXPECT_EQ(runVekworld(c.args).status, c.status);
    std::string bytes = test::readFileBytes(out);
    EXPECT_EQ(bytes.empty() ? "" : bytes.substr(16, 8), c.header);
  }
}

}  // namespace
}  // namespace vek
