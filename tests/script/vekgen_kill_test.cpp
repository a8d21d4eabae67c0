// vekgen world killed with SIGKILL at random moments while it rewrites an
// existing 400-map world: afterwards every map file holds its old content or
// its complete new content, never part of one, and nothing is left where
// the editor would list it. The next complete generation clears what the
// killed ones left behind.
//
// VEK_KILL_ROUNDS sets the number of kills (default kDefaultKills), e.g.
//   VEK_KILL_ROUNDS=200 build/tests/vekgen_kill_tests

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "map/map_naming.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::folderEntries;

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;
using Clock = std::chrono::steady_clock;
using World = std::map<std::string, std::string>;  // file name -> bytes

constexpr int kDefaultKills = 30;

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

std::vector<std::string> worldFileNames() {
  std::vector<std::string> names;
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      names.push_back(wildernessShortName(column, row) + ".MAP");
    }
  }
  return names;
}

World readWorld(const std::string& folder) {
  World world;
  for (const std::string& name : worldFileNames()) world[name] = readFileBytes(folder + "/" + name);
  return world;
}

bool endsWithMapExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string extension = name.substr(name.size() - 4);
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension == ".MAP";
}

// The process id in the name of a save's temporary file, or 0.
pid_t tempFileOwner(const std::string& name) {
  long pid = 0;
  unsigned serial = 0;
  char end[8] = "";
  if (std::sscanf(name.c_str(), ".vekmap-%ld-%u%7s", &pid, &serial, end) != 3) return 0;
  return std::string(end) == ".tmp" ? static_cast<pid_t>(pid) : 0;
}

// What is in the folder besides the 400 maps: only hidden temporary files of
// saves may be there, and no other file whose name ends in .MAP.
std::vector<std::string> leftoverTempFiles(const std::string& folder) {
  const std::vector<std::string> maps = worldFileNames();
  std::vector<std::string> leftovers;
  for (const std::string& name : folderEntries(folder)) {
    if (std::find(maps.begin(), maps.end(), name) != maps.end()) continue;
    EXPECT_FALSE(endsWithMapExtension(name)) << "the editor would list " << name;
    EXPECT_NE(tempFileOwner(name), 0) << "unexpected file " << name;
    EXPECT_EQ(name[0], '.') << name << " is not hidden";
    leftovers.push_back(name);
  }
  return leftovers;
}

pid_t startVekgen(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(VEKGEN_PATH));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t child = fork();
  if (child == 0) {
    int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);
    dup2(devNull, 2);
    execv(VEKGEN_PATH, argv.data());
    _exit(127);
  }
  return child;
}

// Runs vekgen to the end; gives how long it took.
Clock::duration runToEnd(const std::vector<std::string>& args) {
  Clock::time_point start = Clock::now();
  pid_t child = startVekgen(args);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "vekgen failed";
  return Clock::now() - start;
}

void ageFile(const std::string& path, int seconds) {
  struct timespec times[2];
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= seconds;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

TEST(VekgenKill, AKilledWorldGenerationLeavesEveryFileWholeAndNothingListable) {
  TempDir dir;
  const std::string scripts[2] = {dir.file("a.as"), dir.file("b.as")};
  ASSERT_TRUE(writeFileBytes(scripts[0], worldScript('a')));
  ASSERT_TRUE(writeFileBytes(scripts[1], worldScript('b')));

  // The complete content each script writes, file by file.
  World complete[2];
  for (int s = 0; s < 2; ++s) {
    std::string reference = dir.file("reference" + std::to_string(s));
    ASSERT_TRUE(std::filesystem::create_directory(reference));
    runToEnd({"world", scripts[s], reference});
    complete[s] = readWorld(reference);
  }
  for (const std::string& name : worldFileNames()) {
    ASSERT_FALSE(complete[0][name].empty()) << name;
    ASSERT_NE(complete[0][name], complete[1][name]) << name;
  }

  // The existing world, and how long one rewrite of it takes.
  const std::string world = dir.file("world");
  ASSERT_TRUE(std::filesystem::create_directory(world));
  runToEnd({"world", scripts[0], world});
  Clock::duration fullRun = runToEnd({"world", scripts[1], world});
  World before = readWorld(world);
  ASSERT_EQ(before, complete[1]);

  std::random_device entropy;
  unsigned seed = entropy();
  SCOPED_TRACE("random seed " + std::to_string(seed));
  std::mt19937 random(seed);
  auto delayMicroseconds = std::chrono::duration_cast<std::chrono::microseconds>(fullRun).count();
  std::uniform_int_distribution<long> delay(0, delayMicroseconds + delayMicroseconds / 10);

  const int wanted = killsWanted();
  int kills = 0, finishedFirst = 0, caughtWriting = 0, killsLeavingTemp = 0;
  std::size_t tempsBefore = 0;
  for (int round = 0; kills < wanted && round < wanted * 10; ++round) {
    const int script = round % 2;  // the world holds script 1's content first
    pid_t child = startVekgen({"world", scripts[script], world});
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      ++finishedFirst;
    } else {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ++kills;
    }

    World after = readWorld(world);
    int rewritten = 0, holdingNew = 0;
    for (const std::string& name : worldFileNames()) {
      const std::string& bytes = after[name];
      bool old = bytes == before[name];
      bool whole = bytes == complete[script][name];
      ASSERT_TRUE(old || whole) << name << " is partial after round " << round << " ("
                                << bytes.size() << " bytes)";
      rewritten += !old;
      holdingNew += whole;
    }
    if (rewritten > 0 && holdingNew < kWorldSide * kWorldSide) ++caughtWriting;
    std::size_t temps = leftoverTempFiles(world).size();
    if (temps > tempsBefore) ++killsLeavingTemp;
    tempsBefore = temps;
    if (::testing::Test::HasFailure()) return;
    before = after;
  }
  ASSERT_EQ(kills, wanted) << "vekgen finished before most kills";
  std::printf("[ kills ] %d kills (%d caught writing maps, %d left a temporary file), "
              "%d runs finished first\n",
              kills, caughtWriting, killsLeavingTemp, finishedFirst);
  EXPECT_GT(caughtWriting, 0) << "no kill landed while maps were being written";

  // The next generation clears the leftovers of the killed runs once they
  // are old enough, since their processes are gone; it keeps a young one
  // of a finished process and an old one of a running process.
  std::vector<std::string> leftovers = leftoverTempFiles(world);
  for (const std::string& name : leftovers) ageFile(world + "/" + name, 3600);
  pid_t finished = fork();
  if (finished == 0) _exit(0);
  waitpid(finished, nullptr, 0);
  const std::string young = ".vekmap-" + std::to_string(finished) + "-1.tmp";
  const std::string running = ".vekmap-1-1.tmp";  // process 1 runs as long as the system
  ASSERT_TRUE(writeFileBytes(world + "/" + young, "just written"));
  ASSERT_TRUE(writeFileBytes(world + "/" + running, "in progress"));
  ageFile(world + "/" + running, 3600);
  runToEnd({"world", scripts[0], world});
  EXPECT_EQ(readWorld(world), complete[0]);
  for (const std::string& name : leftoverTempFiles(world)) {
    if (name == young) continue;
    pid_t owner = tempFileOwner(name);
    // A process id may have been taken again by a process that runs now.
    EXPECT_TRUE(owner > 0 && (kill(owner, 0) == 0 || errno == EPERM))
        << name << " of a finished process stayed";
  }
  EXPECT_TRUE(std::filesystem::exists(world + "/" + young));
  EXPECT_TRUE(std::filesystem::exists(world + "/" + running));
}

}  // namespace
}  // namespace vek
