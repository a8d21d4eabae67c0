// Archives that cannot be right: the reader refuses them, or the bad entry
// alone, without reading or writing outside what it allocated (the
// sanitizer build checks the latter).
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "archive_bytes.h"
#include "resources/data_archive.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::archiveHeader;
using test::buildArchive;
using test::indexRecord;
using test::le16;
using test::run;
using test::TestEntry;

TEST(HostileArchive, AHeaderOrIndexThatCannotBeRightFailsToOpen) {
  const std::string record = indexRecord("a", 1, 0, 0);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"count -1", archiveHeader(-1) + record},
      {"count INT_MIN", archiveHeader(INT_MIN)},
      {"count 1 without an index", archiveHeader(1)},
      {"index one record short", archiveHeader(2) + record},
      {"index cut by a byte", archiveHeader(1) + record.substr(0, 267)},
      {"count 0x7FFFFFFF in a tiny file", archiveHeader(0x7FFFFFFF) + std::string(40, 'x')},
      {"count that overflows 32 bits times 268", archiveHeader(0x1000000) + record},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    for (int preload : {0, 1}) {
      DataArchive archive;
      EXPECT_FALSE(archive.openMemory(c.bytes.data(), c.bytes.size(), preload)) << c.what;
      EXPECT_EQ(archive.count(), 0) << c.what;
      EXPECT_EQ(archive.entryData(0), nullptr) << c.what;
    }
    ASSERT_TRUE(test::writeFileBytes(dir.file("bad.dat"), c.bytes));
    DataArchive fromFile(dir.file("bad.dat").c_str());
    EXPECT_FALSE(fromFile.open(1)) << c.what << " (file)";
    EXPECT_EQ(fromFile.count(), 0) << c.what << " (file)";
  }
}

TEST(HostileArchive, ABadEntryGivesNoDataWhileTheOthersLoad) {
  const std::int64_t hugeRunEntry = static_cast<std::int64_t>(DataArchive::kMaxEntrySize) + 1;
  std::string runsBeyondTheCap;
  for (std::int64_t filled = 0; filled < hugeRunEntry; filled += 0xFFFF)
    runsBeyondTheCap += run(0xFFFF, "z");

  struct Case {
    const char* what;
    TestEntry bad;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    const std::string bytes =
        buildArchive({{"good1", "first"}, c.bad, {"good2", run(3, "ok"), 6, 2}});
    for (int preload : {1, 0}) {
      DataArchive archive;
      ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), preload)) << c.what;
      ASSERT_EQ(archive.count(), 3);
      std::size_t size = 99;
      EXPECT_EQ(archive.entryData("bad", &size), nullptr) << c.what << ", preload " << preload;
      EXPECT_EQ(size, 0u);
      EXPECT_EQ(archive.entryData("bad"), nullptr) << "a second request must not read it anew";
      const unsigned char* good1 = archive.entryData("good1", &size);
      ASSERT_NE(good1, nullptr) << c.what;
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(good1), size), "first");
      const unsigned char* good2 = archive.entryData("good2", &size);
      ASSERT_NE(good2, nullptr) << c.what;
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(good2), size), "okokok");
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
