// The archive reader on well-formed archives: header, lookup, stored and
// run-length coded entries, lazy and preloaded reading, and its lifecycle.
#include "resources/data_archive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

#include "archive_bytes.h"
#include "child_process.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::buildArchive;
using test::run;
using test::TestEntry;

std::string bytesOf(DataArchive& archive, const char* name) {
  std::size_t size = 0;
  const unsigned char* data = archive.entryData(name, &size);
  if (!data) return "<none>";
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Overwrites bytes of a file in place, keeping the file itself (and any
// stream open on it).
void patchFile(const std::string& path, std::size_t offset, const std::string& bytes) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.flush());
}

TEST(DataArchive, OpensOnlyTheMagicWithItsZeroByte) {
  const std::string valid = buildArchive({{"a.bmp", "xyz"}});
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(valid.data(), valid.size(), 1));
  EXPECT_EQ(bytesOf(archive, "a.bmp"), "xyz");

  for (std::size_t at = 0; at < 16; ++at) {
    std::string changed = valid;
    changed[at] = at == 15 ? 'X' : static_cast<char>(changed[at] ^ 0x20);
    EXPECT_FALSE(archive.openMemory(changed.data(), changed.size(), 1)) << "byte " << at;
    EXPECT_EQ(archive.count(), 0);
    EXPECT_EQ(archive.find("a.bmp"), -1);
    EXPECT_EQ(archive.entryData(0), nullptr);
  }
  for (std::size_t length = 0; length < 20; ++length) {
    EXPECT_FALSE(archive.openMemory(valid.data(), length, 1)) << "cut to " << length << " bytes";
  }
  const std::string empty = test::archiveHeader(0);
  ASSERT_TRUE(archive.openMemory(empty.data(), empty.size(), 1));
  EXPECT_EQ(archive.count(), 0);
  EXPECT_EQ(archive.find(""), -1);
  EXPECT_EQ(archive.entryData(-1), nullptr);
}

TEST(DataArchive, TheFirstOfEqualNamesWinsAndCaseCounts) {
  const std::string bytes =
      buildArchive({{"a.bmp", "first"}, {"0.BMP", "upper"}, {"a.bmp", "second"}});
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), 0));
  EXPECT_EQ(archive.find("a.bmp"), 0);
  EXPECT_EQ(bytesOf(archive, "a.bmp"), "first");
  EXPECT_EQ(archive.find("0.BMP"), 1);
  EXPECT_EQ(archive.find("0.bmp"), -1);
  EXPECT_EQ(archive.find("A.BMP"), -1);
  EXPECT_EQ(archive.find("a.bm"), -1);
  EXPECT_EQ(archive.find(nullptr), -1);
  EXPECT_EQ(archive.entryData(3), nullptr);
  EXPECT_EQ(archive.entry(3), nullptr);
  EXPECT_EQ(archive.entry(-1), nullptr);
  std::size_t size = 99;
  EXPECT_EQ(archive.entryData("missing", &size), nullptr);
  EXPECT_EQ(size, 0u);
}

TEST(DataArchive, ExpandsStoredAndRunLengthCodedEntries) {
  struct Case {
    const char* what;
    TestEntry entry;
    std::string expected;
  };
  const Case cases[] = {
      {"stored", {"s", "plain bytes"}, "plain bytes"},
      {"the unit-2 example", {"r", run(3, "AB") + run(1, "CD"), 8, 2}, "ABABABCD"},
      {"a zero count adds nothing", {"z", run(0, "Q") + run(2, "x") + run(1, "y"), 3, 1}, "xxy"},
      {"a last run is cut at the size", {"o", run(2, "XYZ"), 4, 3}, "XYZX"},
      {"runs of 65,535",
       {"l", run(0xFFFF, "a") + run(1, "b"), 0x10000, 1},
       std::string(0xFFFF, 'a') + "b"},
      // Zero-count runs take more room than the runs that fill the block.
      {"many zero counts",
       {"m", run(0, "a") + run(0, "a") + run(0, "a") + run(0, "a") + run(2, "b"), 2, 1},
       "bb"},
  };
  for (int preload : {0, 1}) {
    for (const Case& c : cases) {
      const std::string bytes = buildArchive({{"before", "1"}, c.entry, {"after", "2"}});
      DataArchive archive;
      ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), preload)) << c.what;
      EXPECT_EQ(bytesOf(archive, c.entry.name.c_str()), c.expected) << c.what;
      EXPECT_EQ(bytesOf(archive, "before"), "1") << c.what;
      EXPECT_EQ(bytesOf(archive, "after"), "2") << c.what;
    }
  }
}

TEST(DataArchive, AnEmptyRunLengthEntryReadsNoRun) {
  // Size 0 with its offset at the very end of the file: there is no run to read.
  std::string bytes = buildArchive({{"empty", "", 0, 4, true}, {"x", "1"}});
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), 1));
  std::size_t size = 99;
  EXPECT_NE(archive.entryData("empty", &size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(bytesOf(archive, "x"), "1");
}

TEST(DataArchive, LazyReadingWaitsForTheRequestAndPreloadingReadsAtOpen) {
  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  const std::string bytes = buildArchive({{"a", "old!"}, {"b", run(4, "o"), 4, 1}});
  const std::size_t dataStart = 20 + 2 * 268;

  for (int preload : {0, 1, 2}) {
    ASSERT_TRUE(test::writeFileBytes(path, bytes));
    DataArchive archive(path.c_str());
    ASSERT_TRUE(archive.open(preload));
    patchFile(path, dataStart, "new!");
    patchFile(path, dataStart + 6, "n");
    const unsigned char* first = archive.entryData("a");
    std::string expectedA = preload == 1 ? "old!" : "new!";
    std::string expectedB = preload == 1 ? "oooo" : "nnnn";
    EXPECT_EQ(bytesOf(archive, "a"), expectedA) << "preload " << preload;
    EXPECT_EQ(bytesOf(archive, "b"), expectedB) << "preload " << preload;

    // Once read, an entry keeps its block.
    patchFile(path, dataStart, "late");
    EXPECT_EQ(archive.entryData("a"), first);
    EXPECT_EQ(bytesOf(archive, "a"), expectedA);
  }
}

TEST(DataArchive, OpenFileReadsTheFileItNames) {
  test::TempDir dir;
  ASSERT_TRUE(test::writeFileBytes(dir.file("one.dat"), buildArchive({{"a", "one"}})));
  ASSERT_TRUE(test::writeFileBytes(dir.file("two.dat"), buildArchive({{"a", "two"}})));
  DataArchive archive(dir.file("one.dat").c_str());
  ASSERT_TRUE(archive.open(0));
  EXPECT_EQ(bytesOf(archive, "a"), "one");
  ASSERT_TRUE(archive.openFile(dir.file("two.dat").c_str(), 0));
  EXPECT_EQ(bytesOf(archive, "a"), "two");
  EXPECT_EQ(archive.fileName(), dir.file("two.dat"));
  archive.release();
  EXPECT_EQ(archive.count(), 0);
  EXPECT_EQ(archive.find("a"), -1);
  ASSERT_TRUE(archive.open(1));
  EXPECT_EQ(bytesOf(archive, "a"), "two");
  EXPECT_FALSE(archive.openFile(dir.file("three.dat").c_str(), 1));
  EXPECT_EQ(archive.count(), 0);
}

TEST(DataArchive, NothingToOpenGivesFalseAndNoEntries) {
  test::TempDir dir;
  const std::string paths[] = {dir.file("missing.dat"), dir.path(), ""};
  for (const std::string& path : paths) {
    DataArchive archive(path.c_str());
    EXPECT_FALSE(archive.open(1)) << path;
    EXPECT_EQ(archive.count(), 0);
    EXPECT_EQ(archive.entryData("a"), nullptr);
  }
  DataArchive unnamed;
  EXPECT_FALSE(unnamed.open(1));
  EXPECT_FALSE(unnamed.openFile(nullptr, 1));
}

TEST(DataArchive, AnArchiveTheUserMayOnlyReadOpens) {
  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  ASSERT_TRUE(test::writeFileBytes(path, buildArchive({{"7.bmp", "picture"}})));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);

  int result = test::runUnprivileged([&] {
    if (access(path.c_str(), W_OK) == 0) return 4;  // the test would prove nothing
    DataArchive archive(path.c_str());
    if (!archive.open(1)) return 1;
    return bytesOf(archive, "7.bmp") == "picture" ? 0 : 2;
  });
  EXPECT_EQ(result, 0) << "1: open failed, 2: wrong content, 3: could not drop root, "
                          "4: file still writable";
}

}  // namespace
}  // namespace vek
