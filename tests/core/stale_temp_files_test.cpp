// The temporary files a killed save leaves behind are cleared, and nothing
// else: not a save in progress, not a file of another name or kind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/safe_file.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::TempDir;
using test::writeFileBytes;

void makeOld(const std::string& path) {
  struct timespec times[2];
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= 2 * kStaleTempFileSeconds;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// The id of a process that has ended.
pid_t finishedProcess() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(StaleTempFiles, OnlyOldTempFilesOfEndedProcessesAreRemoved) {
  TempDir dir;
  const std::string dead = std::to_string(finishedProcess());
  const std::string self = std::to_string(getpid());
  enum Kind { File, Folder, Link };
  struct Case {
    std::string name;
    Kind kind;
    bool old;
    bool removed;
  };
  const Case cases[] = {
      {".vekmap-" + dead + "-0.tmp", File, true, true},
      {".vekmap-" + dead + "-4294967.tmp", File, true, true},
      {".vekmap-" + dead + "-1.tmp", File, false, false},  // may still be renamed
      {".vekmap-" + self + "-2.tmp", File, true, false},   // its process runs
      {".vekmap-" + dead + "-3.tmp", Folder, true, false},
      {".vekmap-" + dead + "-5.tmp", Link, true, false},
      {".vekmap-" + dead + "-6.tmp.MAP", File, true, false},
      {".vekmap-" + dead + ".tmp", File, true, false},
      {".vekmap--1-7.tmp", File, true, false},
      {".vekmap-0-8.tmp", File, true, false},
      {".vekmap-" + dead + "-9x.tmp", File, true, false},
      {".vekmap-1234567890-1.tmp", File, true, false},
      {"vekmap-" + dead + "-1.tmp", File, true, false},
      {"VEKAA.MAP", File, true, false},
  };
  ASSERT_TRUE(writeFileBytes(dir.file("target"), "kept"));
  for (const Case& c : cases) {
    std::string path = dir.file(c.name);
    switch (c.kind) {
      case File: ASSERT_TRUE(writeFileBytes(path, "x")); break;
      case Folder: ASSERT_EQ(mkdir(path.c_str(), 0755), 0); break;
      case Link: ASSERT_EQ(symlink(dir.file("target").c_str(), path.c_str()), 0); break;
    }
    if (c.old) makeOld(path);
  }

  EXPECT_EQ(removeStaleTempFiles(dir.path() + "/"), 2);
  for (const Case& c : cases) {
    EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(dir.file(c.name))),
              !c.removed)
        << c.name;
  }
  EXPECT_EQ(test::readFileBytes(dir.file("target")), "kept");
}

TEST(StaleTempFiles, AnEmptyFolderPartIsTheWorkingDirectory) {
  TempDir dir;
  std::string stale = ".vekmap-" + std::to_string(finishedProcess()) + "-0.tmp";
  ASSERT_TRUE(writeFileBytes(dir.file(stale), "x"));
  makeOld(dir.file(stale));
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  int removed = removeStaleTempFiles("");
  std::filesystem::current_path(previous);
  EXPECT_EQ(removed, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file(stale)));
  EXPECT_EQ(removeStaleTempFiles(dir.file("missing/")), 0);
}

}  // namespace
}  // namespace vek
