// The archive reader: lookup, stored and run-length entries, lazy and
// preloaded reading; hostile archives refused whole or per entry.
#include "resources/data_archive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <string>

#include "archive_bytes.h"
#include "child_process.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::archiveHeader;
using test::buildArchive;
using test::indexRecord;
using test::le16;
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

TEST(DataArchive, OpensOnlyTheMagicWithItsZeroByteAndFindsTheFirstOfANameByCase) {
  const std::string valid = buildArchive({{"a.bmp", "first"}, {"0.BMP", "upper"}, {"a.bmp", "2nd"}});
  DataArchive archive;
  for (std::size_t at = 0; at < 16; ++at) {
    std::string changed = valid;
    changed[at] = at == 15 ? 'X' : static_cast<char>(changed[at] ^ 0x20);
    EXPECT_FALSE(archive.openMemory(changed.data(), changed.size(), 1)) << "byte " << at;
    EXPECT_EQ(archive.count(), 0);
  }
  for (std::size_t length = 0; length < 20; ++length)
    EXPECT_FALSE(archive.openMemory(valid.data(), length, 1)) << "cut to " << length << " bytes";

  ASSERT_TRUE(archive.openMemory(valid.data(), valid.size(), 0));
  EXPECT_EQ(bytesOf(archive, "a.bmp"), "first");
  const std::pair<const char*, int> finds[] = {{"a.bmp", 0}, {"0.BMP", 1}, {"0.bmp", -1},
                                               {"A.BMP", -1}, {"a.bm", -1}, {nullptr, -1}};
  for (const auto& [name, index] : finds) EXPECT_EQ(archive.find(name), index) << name;
  EXPECT_EQ(archive.entryData(3), nullptr);
  EXPECT_EQ(bytesOf(archive, "missing"), "<none>");
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
      {"runs of 65,535", {"l", run(0xFFFF, "a") + run(1, "b"), 0x10000, 1},
       std::string(0xFFFF, 'a') + "b"},
      // Zero-count runs take more room than the runs that fill the block.
      {"many zero counts", {"m", run(0, "a") + run(0, "a") + run(0, "a") + run(0, "a") + run(2, "b"), 2, 1},
       "bb"},
      // Size 0 with its offset at the very end of the file: no run to read.
      {"empty, at the end", {"e", "", 0, 4, true}, ""},
  };
  for (int preload : {0, 1}) {
    for (const Case& c : cases) {
      const std::string bytes = buildArchive({{"before", "1"}, c.entry, {"after", "2"}});
      DataArchive archive;
      ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), preload)) << c.what;
      EXPECT_EQ(bytesOf(archive, "before") + "|" + bytesOf(archive, c.entry.name.c_str()) + "|" +
                    bytesOf(archive, "after"),
                "1|" + c.expected + "|2")
          << c.what;
    }
  }
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
    EXPECT_EQ(bytesOf(archive, "a"), expectedA) << "preload " << preload;
    EXPECT_EQ(bytesOf(archive, "b"), preload == 1 ? "oooo" : "nnnn") << "preload " << preload;
    // Once read, an entry keeps its block.
    patchFile(path, dataStart, "late");
    EXPECT_EQ(archive.entryData("a"), first);
    EXPECT_EQ(bytesOf(archive, "a"), expectedA);
  }

  ASSERT_TRUE(test::writeFileBytes(dir.file("two.dat"), buildArchive({{"a", "two"}})));
  DataArchive archive(path.c_str());
  ASSERT_TRUE(archive.openFile(dir.file("two.dat").c_str(), 0));
  EXPECT_EQ(bytesOf(archive, "a"), "two");
  for (const std::string& other : {dir.file("three.dat"), dir.path(), std::string()}) {
    EXPECT_FALSE(archive.openFile(other.c_str(), 1)) << other;
    EXPECT_EQ(archive.entryData("a"), nullptr);
  }

  // An archive the user may only read opens.
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  int result = test::runUnprivileged([&] {
    if (access(path.c_str(), W_OK) == 0) return 4;  // the test would prove nothing
    DataArchive readOnly(path.c_str());
    return readOnly.open(1) ? bytesOf(readOnly, "a") == "late" ? 0 : 2 : 1;
  });
  EXPECT_EQ(result, 0) << "1: open failed, 2: wrong content, 3: could not drop root, "
                          "4: file still writable";
}

TEST(HostileArchive, AHeaderOrIndexThatCannotBeRightFailsToOpen) {
  const std::string record = indexRecord("a", 1, 0, 0);
  const std::pair<const char*, std::string> cases[] = {
      {"count -1", archiveHeader(-1) + record},
      {"count INT_MIN", archiveHeader(INT_MIN)},
      {"count 1 without an index", archiveHeader(1)},
      {"index one record short", archiveHeader(2) + record},
      {"index cut by a byte", archiveHeader(1) + record.substr(0, 267)},
      {"count 0x7FFFFFFF in a tiny file", archiveHeader(0x7FFFFFFF) + std::string(40, 'x')},
      {"count that overflows 32 bits times 268", archiveHeader(0x1000000) + record},
  };
  test::TempDir dir;
  for (const auto& [what, bytes] : cases) {
    ASSERT_TRUE(test::writeFileBytes(dir.file("bad.dat"), bytes));
    for (int preload : {0, 1}) {
      DataArchive archive, fromFile(dir.file("bad.dat").c_str());
      EXPECT_FALSE(archive.openMemory(bytes.data(), bytes.size(), preload)) << what;
      EXPECT_FALSE(fromFile.open(preload)) << what << " (file)";
      EXPECT_EQ(archive.count() + fromFile.count(), 0) << what;
      EXPECT_EQ(archive.entryData(0), nullptr) << what;
    }
  }
}

TEST(HostileArchive, ABadEntryGivesNoDataWhileTheOthersLoad) {
  const std::int64_t hugeRunEntry = static_cast<std::int64_t>(DataArchive::kMaxEntrySize) + 1;
  std::string runsBeyondTheCap;
  for (std::int64_t filled = 0; filled < hugeRunEntry; filled += 0xFFFF)
    runsBeyondTheCap += run(0xFFFF, "z");

  const std::pair<const char*, TestEntry> cases[] = {
      {"stored data runs past the end", {"bad", "abc", 4, 0, true}},
      {"offset past the end", {"bad", "", 4, 0, false, 100000}},
      {"offset 0xFFFFFFFF", {"bad", "", 4, 0, false, 0xFFFFFFFF}},
      {"offset 0xFFFFFFFF, run-length coded", {"bad", "", 4, 1, false, 0xFFFFFFFF}},
      {"negative size", {"bad", "abcd", -1, 0}},
      {"negative size, run-length coded", {"bad", run(2, "a"), -5, 1}},
      {"negative unit", {"bad", "abcd", 4, -1}},
      {"unit INT_MIN", {"bad", "abcd", 4, INT_MIN}},
      {"size 2 GiB stored in a small file", {"bad", "abcd", 0x7FFFFFFF, 0}},
      {"size 2 GiB from a few runs", {"bad", run(0xFFFF, "a"), 0x7FFFFFFF, 1}},
      {"size 2 GiB in a huge unit", {"bad", run(1, "abcd"), 0x7FFFFFFF, 0x7FFFFFFF}},
      {"runs end before the size", {"bad", run(3, "a"), 10, 1, true}},
      {"a run count cut in half", {"bad", run(3, "a") + "\x01", 10, 1, true}},
      {"a unit cut short", {"bad", le16(2) + "ab", 8, 4, true}},
      {"a unit longer than the file", {"bad", run(1, "a"), 5, 1000, true}},
      {"an entry beyond the per-entry limit", {"bad", runsBeyondTheCap, hugeRunEntry, 1}},
  };
  for (const auto& [what, bad] : cases) {
    const std::string bytes = buildArchive({{"good1", "first"}, bad, {"good2", run(3, "ok"), 6, 2}});
    for (int preload : {1, 0}) {
      DataArchive archive;
      ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), preload)) << what;
      std::size_t size = 99;
      EXPECT_EQ(archive.entryData("bad", &size), nullptr) << what << ", preload " << preload;
      EXPECT_EQ(size, 0u);
      EXPECT_EQ(bytesOf(archive, "good1") + bytesOf(archive, "good2"), "firstokokok") << what;
    }
  }
}

TEST(HostileArchive, ANameWithoutItsTerminatorIsNeverFound) {
  const std::string longName(256, 'n');
  std::string bytes = archiveHeader(2) + indexRecord(longName, 1, 20 + 2 * 268, 0) +
                      indexRecord("ok", 1, 20 + 2 * 268, 0) + "x";
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), 1));
  EXPECT_EQ(archive.find(longName.c_str()), -1);
  EXPECT_EQ(archive.find(longName.substr(0, 255).c_str()), -1);
  EXPECT_EQ(archive.find("ok"), 1);
}

}  // namespace
}  // namespace vek
