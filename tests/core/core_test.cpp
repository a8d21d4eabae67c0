// The core services: the bounds-checked byte cursor, whole files replaced
// or kept, stale temporary files cleared, and file sets with their journal.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/byte_cursor.h"
#include "core/file_descriptor.h"
#include "core/file_set.h"
#include "core/safe_file.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;
namespace fs = std::filesystem;

TEST(ByteCursor, ReadsNumbersAndARunOutFailsWithoutReadingPastTheData) {
  const unsigned char bytes[] = {1, 2, 3, 4, 0xFE, 0xFF, 0xFF, 0xFF, 0x0A, 0x0B, 0x0C, 0x0D};
  ByteCursor in(bytes, sizeof bytes);
  std::uint16_t word = 0;
  std::int32_t negative = 0;
  std::uint32_t big = 0;
  EXPECT_TRUE(in.readU16(word) && in.skip(2) && in.readS32(negative) && in.readU32BigEndian(big));
  EXPECT_EQ(std::vector<long>({word, negative, big}), std::vector<long>({0x0201, -2, 0x0A0B0C0D}));
  EXPECT_TRUE(in.atEnd() && !in.exhausted());

  ByteCursor shorter(bytes, 3);
  std::uint32_t value = 77;
  EXPECT_FALSE(shorter.readU32(value));
  EXPECT_EQ(value, 77u);
  EXPECT_TRUE(shorter.exhausted() && shorter.atEnd());
  ByteCursor partial(bytes, 3);
  unsigned char out[4] = {9, 9, 9, 9};
  ASSERT_TRUE(partial.skip(1));
  EXPECT_EQ(partial.readBlock(out, 3), 2u);
  EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{2, 3, 9, 9}));
  EXPECT_TRUE(partial.exhausted());
  EXPECT_EQ(ByteCursor(bytes, 3).take(3), bytes);
}

TEST(SafeFile, ReplacesAWholeFileKeepingItsModeOrLeavesNothingAndReadsFileStarts) {
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
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  std::string bytes;
  for (std::size_t limit : {0ul, 4999ul, content.size(), content.size() + 1}) {
    ASSERT_TRUE(readFileStart(path.c_str(), limit, bytes)) << limit;
    EXPECT_TRUE(bytes == content.substr(0, limit)) << limit;
  }
  // Its size reads as 0, so the buffer grows as it is read.
  const std::string whole = readFileBytes("/proc/self/cmdline");
  for (std::size_t limit : {10ul, 1ul << 20}) {
    ASSERT_TRUE(readFileStart("/proc/self/cmdline", limit, bytes));
    EXPECT_EQ(bytes, whole.substr(0, limit));
  }
  for (const std::string& other : {dir.path(), dir.file("MISSING.MAP"), std::string("/dev/null")}) {
    bytes = "left over";
    EXPECT_FALSE(readFileStart(other.c_str(), 100, bytes)) << other;
    EXPECT_EQ(bytes, "");
  }
}

TEST(StaleTempFiles, OnlyOldTempFilesOfEndedProcessesAreRemoved) {
  TempDir dir;
  pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  const std::string dead = ".vekmap-" + std::to_string(child);
  enum Kind { File, Folder, Link };
  struct Case {
    std::string name;
    Kind kind = File;
    bool old = true;
    bool removed = false;
  };
  const Case cases[] = {
      {dead + "-0.tmp", File, true, true}, {dead + "-4294967.tmp", File, true, true},
      {dead + "-1.tmp", File, false},  // may still be renamed
      {".vekmap-" + std::to_string(getpid()) + "-2.tmp"},  // its process runs
      {dead + "-3.tmp", Folder}, {dead + "-5.tmp", Link}, {dead + "-6.tmp.MAP"}, {dead + ".tmp"},
      {".vekmap--1-7.tmp"}, {".vekmap-0-8.tmp"}, {dead + "-9x.tmp"}, {".vekmap-1234567890-1.tmp"},
      {dead.substr(1) + "-1.tmp"}, {"VEKAA.MAP"},
  };
  struct timespec old[2] = {{0, 0}, {0, 0}};  // the epoch
  for (const Case& c : cases) {
    std::string path = dir.file(c.name);
    ASSERT_TRUE(c.kind != File || writeFileBytes(path, "x"));
    ASSERT_TRUE(c.kind != Folder || mkdir(path.c_str(), 0755) == 0);
    ASSERT_TRUE(c.kind != Link || symlink("VEKAA.MAP", path.c_str()) == 0);
    ASSERT_TRUE(!c.old || utimensat(AT_FDCWD, path.c_str(), old, AT_SYMLINK_NOFOLLOW) == 0);
  }
  EXPECT_EQ(removeStaleTempFiles(dir.path() + "/"), 2);
  for (const Case& c : cases)
    EXPECT_EQ(fs::exists(fs::symlink_status(dir.file(c.name))), !c.removed) << c.name;
  EXPECT_EQ(removeStaleTempFiles(dir.file("missing/")), 0);
  // An empty folder part is the working directory.
  ASSERT_TRUE(writeFileBytes(dir.file(cases[0].name), "x"));
  ASSERT_EQ(utimensat(AT_FDCWD, dir.file(cases[0].name).c_str(), old, 0), 0);
  fs::path previous = fs::current_path();
  fs::current_path(dir.path());
  EXPECT_EQ(removeStaleTempFiles(""), 1);
  fs::current_path(previous);
}

TEST(FileSet, RecoveryUndoesOrCompletesOnlyWhatItsOwnJournalNames) {
  constexpr char kTemp[] = ".vekmap-1-7.tmp";
  const std::string renaming = "VEK FILE SET 1\nrenaming\n";
  struct Case {
    const char* what;
    std::string journal;
    bool folderLocked;
    const char* mapAfter;  // content of m.MAP afterwards
    bool tempLeft, journalLeft;
  };
  const Case cases[] = {
      {"being written", "VEK FILE SET 1\nwriting\n" + std::string(kTemp) + "/m.MAP\n", false,
       "old", false, false},
      {"renames due", renaming + kTemp + "/m.MAP\n", false, "new", false, false},
      {"renames done", renaming + ".vekmap-1-8.tmp/m.MAP\n", false, "old", true, false},
      {"a writer runs", renaming + kTemp + "/m.MAP\n", true, "old", true, true},
      {"out of the folder", renaming + kTemp + "/../m.MAP\n", false, "old", true, false},
      {"not a temporary file", renaming + "other.MAP/m.MAP\n", false, "old", true, false},
      {"torn", renaming + kTemp, false, "old", true, false},
      {"not ours", "anything", false, "old", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string folder = dir.path() + "/";
    ASSERT_TRUE(writeFileBytes(folder + "m.MAP", "old") && writeFileBytes(folder + kTemp, "new"));
    ASSERT_TRUE(writeFileBytes(folder + "other.MAP", "other"));
    ASSERT_TRUE(writeFileBytes(folder + kFileSetJournalName, c.journal));
    FileDescriptor writer(openFolder(folder));
    ASSERT_TRUE(!c.folderLocked || flock(writer.get(), LOCK_EX) == 0);
    recoverFileSet(folder);
    EXPECT_EQ(readFileBytes(folder + "m.MAP") + readFileBytes(folder + "other.MAP"),
              c.mapAfter + std::string("other"));
    EXPECT_EQ(fs::exists(folder + kTemp), c.tempLeft);
    EXPECT_EQ(fs::exists(folder + kFileSetJournalName), c.journalLeft);
    EXPECT_FALSE(fs::exists(dir.path() + "/../m.MAP"));
  }
}

TEST(FileSet, WritesEveryFileOrRefusesAFileOutsideTheFolderAndChangesNothing) {
  TempDir dir;
  const std::string folder = dir.path() + "/";
  ASSERT_TRUE(writeFileBytes(folder + "a.MAP", "old"));
  FileSetResult result =
      replaceFileSet(folder, {{folder + "a.MAP", "new"}, {folder + "sub/b.MAP", "new"}});
  ASSERT_EQ(result.failures.size(), 1u);
  EXPECT_EQ(result.failures[0].path, folder + "sub/b.MAP");
  EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"a.MAP"});
  EXPECT_EQ(readFileBytes(folder + "a.MAP"), "old");

  result = replaceFileSet(folder, {{folder + "a.MAP", "new"}, {folder + "b.MAP", "b"}});
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.filesReplaced, 2);
  EXPECT_EQ(readFileBytes(folder + "a.MAP") + readFileBytes(folder + "b.MAP"), "newb");
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 2u) << "the journal is gone";
}

}  // namespace
}  // namespace vek
