// Whole files replaced or kept, file starts read, and only the stale
// temporary files of ended processes cleared.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/safe_file.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::TempDir;
using test::writeFileBytes;

TEST(SafeFile, ReplacesAWholeFileOrKeepsItAndReadsTheStartOfOne) {
  TempDir dir;
  const std::string path = dir.file("F.MAP");
  ASSERT_TRUE(writeFileBytes(path, "earlier"));
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  std::string content(15000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + i / 251);
  ASSERT_TRUE(replaceFile(path.c_str(), content));
  std::string reason;
  EXPECT_FALSE(replaceFile(dir.file("none/F.MAP").c_str(), "x", &reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"F.MAP"});
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "a replaced file keeps its permission bits";

  for (std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{4999}, content.size(),
                            content.size() + 1}) {
    std::string bytes = "left over";
    ASSERT_TRUE(readFileStart(path.c_str(), limit, bytes)) << limit;
    EXPECT_TRUE(bytes == content.substr(0, limit)) << limit;
  }
  std::string whole = test::readFileBytes("/proc/self/cmdline"), bytes;
  ASSERT_TRUE(readFileStart("/proc/self/cmdline", 1 << 20, bytes));
  EXPECT_EQ(bytes, whole);
  ASSERT_TRUE(readFileStart("/proc/self/cmdline", 10, bytes));
  EXPECT_EQ(bytes, whole.substr(0, 10));
  for (const std::string& other : {dir.path(), dir.file("MISSING.MAP"), std::string("/dev/null")}) {
    bytes = "left over";
    EXPECT_FALSE(readFileStart(other.c_str(), 100, bytes)) << other;
    EXPECT_EQ(bytes, "");
  }
}

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
  EXPECT_EQ(removeStaleTempFiles(dir.file("missing/")), 0);

  // An empty folder part is the working directory.
  std::string stale = ".vekmap-" + dead + "-0.tmp";
  ASSERT_TRUE(writeFileBytes(dir.file(stale), "x"));
  makeOld(dir.file(stale));
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  int removed = removeStaleTempFiles("");
  std::filesystem::current_path(previous);
  EXPECT_EQ(removed, 1);
}

}  // namespace
}  // namespace vek
