// vekgen rewriting a 400-map world, killed by strace at the Nth call of one
// file system step (N and step from a fixed seed): once a map of the folder
// is opened the world is all old or all new. VEK_KILL_ROUNDS sets the kills.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "map/map.h"
#include "map/map_naming.h"
#include "temp_dir.h"
#include "vekgen_runner.h"

namespace vek {
namespace {

using test::folderEntries;
using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;
using World = std::map<std::string, std::string>;  // file name -> bytes

constexpr unsigned kSeed = 13;
constexpr int kDefaultKills = 30;
const std::vector<std::string> kSteps = {"openat", "write", "syncfs", "fsync", "renameat",
                                         "unlinkat"};

int killsWanted() {
  const char* text = std::getenv("VEK_KILL_ROUNDS");
  int rounds = text ? std::atoi(text) : 0;
  return rounds > 0 ? rounds : kDefaultKills;
}

// Fills the first grid row of every one of the 400 maps with tile, and one
// more cell per map that depends on its place, so no two files are alike.
std::string worldScript(char tile) {
  return std::string("void main() {\n") +
         "  for (int r = 0; r < 20; r++) for (int c = 0; c < 20; c++) {\n"
         "    for (int x = 1; x <= 48; x++) settile(48 * c + x, 24 * r + 1, " +
         std::to_string(static_cast<int>(tile)) +
         ");\n"
         "    settile(48 * c + 1 + r, 24 * r + 2 + c, 65 + r + c);\n"
         "  }\n"
         "}\n";
}

World readWorld(const std::string& folder) {
  World world;
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      std::string name = wildernessShortName(column, row) + ".MAP";
      world[name] = readFileBytes(folder + name);
    }
  }
  return world;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    result.push_back(text.substr(start, end - start));
  }
  return result;
}

class WorldWrite : public ::testing::Test {
 protected:
  // The world each script writes, made once for all the cases.
  static void SetUpTestSuite() {
    // LeakSanitizer cannot work under ptrace (strace).
    const char* options = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(options ? options : "") + ":detect_leaks=0").c_str(), 1);
    shared = new TempDir;
    for (int s = 0; s < 2; ++s) {
      std::string reference = shared->file("reference" + std::to_string(s)) + "/";
      std::filesystem::create_directory(reference);
      writeFileBytes(scriptPath(s), worldScript(static_cast<char>('a' + s)));
      test::runVekgen({"world", scriptPath(s), reference});
      complete[s] = readWorld(reference);
    }
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }
  static std::string scriptPath(int s) { return shared->file(std::to_string(s) + ".as"); }

  void SetUp() override {
    ASSERT_NE(complete[0]["VEKAA.MAP"], complete[1]["VEKAA.MAP"]);
    ASSERT_EQ(complete[0].size(), 400u);
    ASSERT_TRUE(std::filesystem::create_directory(world));
    for (int s = 0; s < 2; ++s) scripts[s] = scriptPath(s);
  }

  // Runs vekgen under strace, which writes the calls of steps to a trace;
  // gives the trace's lines.
  std::vector<std::string> traced(const std::vector<std::string>& args, const std::string& steps) {
    const std::string trace = dir.file("trace");
    EXPECT_EQ(test::runVekgen(args, {"strace", "-qq", "-y", "-o", trace, "-e", "trace=" + steps})
                  .status,
              0);
    return lines(readFileBytes(trace));
  }

  // The only entries of the world folder are its 400 maps.
  void expectOnlyMaps(const std::string& when) {
    std::vector<std::string> entries = folderEntries(world);
    EXPECT_EQ(entries.size(), 400u) << when;
    for (const std::string& name : entries) EXPECT_EQ(name.rfind(".vekmap", 0), std::string::npos)
        << name << " left " << when;
  }

  static inline TempDir* shared = nullptr;
  static inline World complete[2];
  TempDir dir;
  const std::string world = dir.file("world") + "/";
  std::string scripts[2];
};

TEST_F(WorldWrite, AKillAtAnyStepLeavesTheWorldAllOldOrAllNewOnceAMapIsOpened) {
  // How often a complete rewrite calls each step.
  std::string allSteps;
  for (const std::string& step : kSteps) allSteps += (allSteps.empty() ? "" : ",") + step;
  std::map<std::string, int> calls;
  for (const std::string& line : traced({"world", scripts[0], world}, allSteps)) {
    ++calls[line.substr(0, line.find('('))];
  }
  for (const std::string& step : kSteps) ASSERT_GT(calls[step], 0) << step;
  ASSERT_EQ(calls["renameat"], 400 + 1);  // the maps and the journal's update
  World current = complete[0];
  ASSERT_EQ(readWorld(world), current);

  std::mt19937 random(kSeed);
  int endedOld = 0, endedNew = 0;
  for (int kill = 0; kill < killsWanted(); ++kill) {
    const int script = current == complete[0] ? 1 : 0;
    const std::string& step = kSteps[random() % kSteps.size()];
    const int when = 1 + static_cast<int>(random() % calls[step]);
    const std::string point = step + " call " + std::to_string(when);
    test::ProgramResult killed =
        test::runVekgen({"world", scripts[script], world},
                  {"strace", "-qq", "-o", "/dev/null", "-e", "trace=" + step, "-e",
                   "inject=" + step + ":signal=KILL:when=" + std::to_string(when)});
    ASSERT_EQ(killed.status, 128 + 9) << point;

    Map opened;  // the next program that opens a map of the folder
    opened.load((world + "VEKAA.MAP").c_str());
    World after = readWorld(world);
    ASSERT_TRUE(after == current || after == complete[script]) << "a mixed world at " << point;
    expectOnlyMaps("at " + point);
    if (::testing::Test::HasFailure()) return;
    (after == current ? endedOld : endedNew)++;
    current = after;
  }
  std::printf("[ kills ] %d kills: %d left the old world, %d the new one\n", killsWanted(),
              endedOld, endedNew);
  EXPECT_GT(endedOld, 0);
  EXPECT_GT(endedNew, 0);
}

TEST_F(WorldWrite, AFailedWriteOfTheTwoHundredthFileLeavesEveryOldMap) {
  ASSERT_EQ(test::runVekgen({"world", scripts[1], world}).status, 0);
  // The first write is the journal's; the 200th map is VEKTJ.
  test::ProgramResult failed = test::runVekgen(
      {"world", scripts[0], world},
      {"strace", "-qq", "-o", "/dev/null", "-e", "trace=write", "-e",
       "inject=write:error=ENOSPC:when=201"});
  EXPECT_EQ(failed.status, 2);
  EXPECT_EQ(failed.err, "vekgen: cannot write " + world + "VEKTJ.MAP: No space left on device\n" +
                            "vekgen: no map of " + world + " was changed\n");
  EXPECT_EQ(readWorld(world), complete[1]);
  expectOnlyMaps("after the failure");
}

// The index of the first line from start on that holds every part; -1.
int find(const std::vector<std::string>& trace, std::vector<std::string> parts, int start = 0) {
  for (int i = start; i < static_cast<int>(trace.size()); ++i) {
    bool all = true;
    for (const std::string& part : parts) all = all && test::contains(trace[i], part);
    if (all) return i;
  }
  return -1;
}

TEST_F(WorldWrite, SyncsComeBeforeTheRenamesAndTheFolderSyncAfter) {
  const std::string steps = "write,fsync,syncfs,rename,renameat,unlinkat";
  const std::string folderFd = "<" + world.substr(0, world.size() - 1) + ">";
  std::vector<std::string> save =
      traced({"current", scripts[0], world + "VEKAA.MAP"}, steps);
  int tempSync = find(save, {"fsync(", ".vekmap-"});
  int rename = find(save, {"rename", "VEKAA.MAP"});
  int folderSync = find(save, {"fsync(", folderFd}, rename);
  EXPECT_TRUE(tempSync >= 0 && tempSync < rename && rename < folderSync)
      << tempSync << " " << rename << " " << folderSync;

  std::vector<std::string> write = traced({"world", scripts[0], world}, steps);
  int lastTempWrite = -1;
  for (int i = 0; i < static_cast<int>(write.size()); ++i) {
    if (test::contains(write[i], "write(") && test::contains(write[i], ".tmp>")) lastTempWrite = i;
  }
  int syncfs = find(write, {"syncfs("});
  int journal = find(write, {"renameat(", ".vekmap-journal.new"});
  int firstMap = find(write, {"renameat(", "\"VEKAA.MAP\""});
  int lastMap = find(write, {"renameat(", "\"VEKTT.MAP\""});
  int afterMaps = find(write, {"fsync(", folderFd}, lastMap);
  int journalGone = find(write, {"unlinkat(", "\".vekmap-journal\""}, afterMaps);
  EXPECT_TRUE(lastTempWrite >= 0 && lastTempWrite < syncfs && syncfs < journal &&
              journal < firstMap && firstMap < lastMap && lastMap < afterMaps &&
              afterMaps < journalGone)
      << lastTempWrite << " " << syncfs << " " << journal << " " << firstMap << " " << lastMap
      << " " << afterMaps << " " << journalGone;
  EXPECT_EQ(find(write, {"fsync(", ".tmp>"}), -1) << "one syncfs, not one fsync per map";
}

}  // namespace
}  // namespace vek
