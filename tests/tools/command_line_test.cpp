// Every command-line program answers alike: --help and --version on
// standard output with exit 0, a usage error on standard error with exit
// 64. And the installed programs run from an install into a fresh prefix.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::runProgram;

struct Tool {
  const char* name;
  const char* path;
  std::vector<std::string> usageError;
};

const Tool kTools[] = {
    {"vekedit", VEKEDIT_PATH, {"--colour"}},
    {"vekgen", VEKGEN_PATH, {"world", "only-a-script.as"}},
    {"vekpack", VEKPACK_PATH, {"--list"}},
    {"vektiles", VEKTILES_PATH, {"--bmp-dir"}},
    {"veksample", VEKSAMPLE_PATH, {"one", "two"}},
    {"vekbench", VEKBENCH_PATH, {"--repetitions", "0"}},
    {"vekworld", VEKWORLD_PATH, {"check"}},
};

TEST(CommandLine, EveryProgramAnswersHelpVersionAndUsageErrorsAlike) {
  for (const Tool& tool : kTools) {
    test::ProgramResult help = runProgram(tool.path, {"--help"});
    EXPECT_EQ(help.status, 0) << tool.name;
    EXPECT_EQ(help.out.rfind(std::string("usage: ") + tool.name, 0), 0u) << tool.name << help.out;
    EXPECT_EQ(help.err, "") << tool.name;

    test::ProgramResult version = runProgram(tool.path, {"--version"});
    EXPECT_EQ(version.status, 0) << tool.name;
    EXPECT_EQ(version.out, std::string(tool.name) + " (VEK Map Editor) " VEK_VERSION "\n");

    test::ProgramResult wrong = runProgram(tool.path, tool.usageError);
    EXPECT_EQ(wrong.status, 64) << tool.name << ": " << wrong.err;
    EXPECT_EQ(wrong.out, "") << tool.name;
    EXPECT_EQ(wrong.err.rfind(std::string(tool.name) + ": ", 0), 0u) << tool.name << wrong.err;
    EXPECT_NE(wrong.err.find("usage: "), std::string::npos) << tool.name << wrong.err;
  }
}

TEST(CommandLine, InstalledProgramsRunFromTheirPrefix) {
  test::TempDir dir;
  const std::string prefix = dir.file("prefix");
  test::ProgramResult install =
      runProgram(CMAKE_COMMAND, {"--install", BUILD_DIR, "--prefix", prefix});
  ASSERT_EQ(install.status, 0) << install.out << install.err;
  const std::string share = prefix + "/share/vek-map-editor";

  test::ProgramResult world = runProgram(
      prefix + "/bin/vekgen",
      {"world", share + "/scripts/world.as", dir.path(), "--seed", "7"});
  EXPECT_EQ(world.status, 0) << world.err;
  EXPECT_EQ(test::readFileBytes(dir.file("VEKTT.MAP")).size(), 24u * 51u + 2u + 11u);

  test::ProgramResult check = runProgram(prefix + "/bin/vekpack", {"--check", share + "/data.dat"});
  EXPECT_EQ(check.status, 0) << check.out << check.err;
  EXPECT_NE(check.out.find("256 of the 256 tile codes have an entry, 0 unusable"), std::string::npos)
      << check.out;

  for (const char* installed : {"/share/applications/vek-map-editor.desktop",
                                "/share/icons/hicolor/64x64/apps/vek-map-editor.png",
                                "/share/doc/vek-map-editor/README.md", "/bin/vekedit"}) {
    EXPECT_FALSE(test::readFileBytes(prefix + installed).empty()) << installed;
  }
}

}  // namespace
}  // namespace vek
