// data.dat archives: the reader's lookup, entries stored and run-length coded, lazy and
// preloaded reading, hostile archives refused whole or per entry; and the writer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <string>

#include "archive_bytes.h"
#include "child_process.h"
#include "resources/archive_writer.h"
#include "resources/data_archive.h"
#include "temp_dir.h"

namespace vek {
namespace {

using namespace test;

// An entry's data; "<none>" when it has none (and the size given is 0).
std::string bytesOf(DataArchive& archive, const char* name) {
  std::size_t size = 99;
  const unsigned char* data = archive.entryData(name, &size);
  if (!data) return size == 0 ? "<none>" : "<none, size " + std::to_string(size) + ">";
  return std::string(reinterpret_cast<const char*>(data), size);
}

TEST(DataArchive, RefusesAHeaderOrIndexThatCannotBeRight) {
  const std::string record = indexRecord("a", 1, 0, 0);
  const std::string valid = archiveHeader(1) + record;
  std::vector<std::string> cases = {
      archiveHeader(-1) + record,
      archiveHeader(INT_MIN),
      archiveHeader(2) + record,                   // the index one record short
      valid.substr(0, valid.size() - 1),           // the index cut by a byte
      archiveHeader(0x7FFFFFFF) + std::string(40, 'x'),
      archiveHeader(0x1000000) + record,  // a count that overflows 32 bits times 268
  };
  for (std::size_t length = 0; length < 21; ++length) cases.push_back(valid.substr(0, length));
  for (std::size_t at = 0; at < 16; ++at) {  // the magic and its zero byte
    cases.push_back(valid);
    cases.back()[at] = at == 15 ? 'X' : static_cast<char>(valid[at] ^ 0x20);
  }
  test::TempDir dir;
  for (const std::string& bytes : cases) {
    ASSERT_TRUE(test::writeFileBytes(dir.file("bad.dat"), bytes));
    for (int preload : {0, 1}) {
      DataArchive archive, fromFile(dir.file("bad.dat").c_str());
      EXPECT_FALSE(archive.openMemory(bytes.data(), bytes.size(), preload)) << &bytes - &cases[0];
      EXPECT_FALSE(fromFile.open(preload)) << &bytes - &cases[0];
      EXPECT_EQ(archive.count() + fromFile.count(), 0);
      EXPECT_EQ(archive.entryData(0), nullptr);
    }
  }
}

TEST(DataArchive, FindsTheFirstOfANameByCase) {
  const std::string unterminated(256, 'n');
  const std::string names = buildArchive(
      {{"a.bmp", "first"}, {"0.BMP", "upper"}, {"a.bmp", "2nd"}, {unterminated, "x"}});
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(names.data(), names.size(), 0));
  EXPECT_EQ(bytesOf(archive, "a.bmp"), "first");
  const std::pair<std::string, int> finds[] = {
      {"a.bmp", 0}, {"0.BMP", 1},        {"0.bmp", -1}, {"A.BMP", -1},
      {"a.bm", -1}, {unterminated, -1}, {unterminated.substr(0, 255), -1},
  };
  for (const auto& [name, index] : finds) EXPECT_EQ(archive.find(name.c_str()), index) << name;
  EXPECT_EQ(archive.find(nullptr), -1);
  EXPECT_EQ(archive.entryData(4), nullptr);
  EXPECT_EQ(bytesOf(archive, "missing"), "<none>");
}

TEST(DataArchive, ExpandsStoredAndRunLengthEntriesAndABadEntryGivesNoDataWhileTheOthersLoad) {
  const auto expectRead = [](const TestEntry& entry, const std::string& expected) {
    const std::string bytes = buildArchive({{"1", "first"}, entry, {"2", run(3, "ok"), 6, 2}});
    for (int preload : {0, 1}) {
      DataArchive archive;
      ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), preload));
      EXPECT_EQ(bytesOf(archive, "1") + "|" + bytesOf(archive, "s") + "|" + bytesOf(archive, "2"),
                "first|" + expected + "|okokok")
          << "preload " << preload;
    }
  };
  const std::pair<TestEntry, std::string> good[] = {
      {{"s", "plain bytes"}, "plain bytes"},
      {{"s", run(3, "AB") + run(1, "CD"), 8, 2}, "ABABABCD"},
      {{"s", run(0, "Q") + run(2, "x") + run(1, "y"), 3, 1}, "xxy"},  // a zero count adds nothing
      {{"s", run(2, "XYZ"), 4, 3}, "XYZX"},                            // the last run is cut
      {{"s", run(0xFFFF, "a") + run(1, "b"), 0x10000, 1}, std::string(0xFFFF, 'a') + "b"},
      // Zero-count runs take more room than the runs that fill the block.
      {{"s", run(0, "a") + run(0, "a") + run(0, "a") + run(0, "a") + run(2, "b"), 2, 1}, "bb"},
      {{"s", "", 0, 4, true}, ""},  // size 0 with its offset at the very end of the file
  };
  int index = 0;
  for (const auto& [entry, expected] : good) {
    SCOPED_TRACE(index++);
    expectRead(entry, expected);
  }
  const std::int64_t beyondTheCap = static_cast<std::int64_t>(DataArchive::kMaxEntrySize) + 1;
  std::string runsBeyondTheCap;
  for (std::int64_t filled = 0; filled < beyondTheCap; filled += 0xFFFF)
    runsBeyondTheCap += run(0xFFFF, "z");
  const TestEntry bad[] = {
      {"s", "abc", 4, 0, true},  // stored data that runs past the end
      {"s", "", 4, 0, false, 100000},    {"s", "", 4, 0, false, 0xFFFFFFFF},  // offsets
      {"s", "", 4, 1, false, 0xFFFFFFFF}, {"s", "abcd", -1, 0},   {"s", run(2, "a"), -5, 1},
      {"s", "abcd", 4, -1},               {"s", "abcd", 4, INT_MIN},
      {"s", "abcd", 0x7FFFFFFF, 0},       {"s", run(0xFFFF, "a"), 0x7FFFFFFF, 1},  // 2 GiB
      {"s", run(1, "abcd"), 0x7FFFFFFF, 0x7FFFFFFF},
      {"s", run(3, "a"), 10, 1, true},            // runs that end before the size
      {"s", run(3, "a") + "\x01", 10, 1, true},  // a run count cut in half
      {"s", le16(2) + "ab", 8, 4, true},          // a unit cut short
      {"s", run(1, "a"), 5, 1000, true},          // a unit longer than the file
      {"s", runsBeyondTheCap, beyondTheCap, 1},   // beyond the per-entry limit
  };
  for (const TestEntry& entry : bad) {
    SCOPED_TRACE(index++);
    expectRead(entry, "<none>");
  }
}

// Overwrites bytes of a file in place, keeping the file itself (and any
// stream open on it).
void patchFile(const std::string& path, std::size_t offset, const std::string& bytes) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(offset));
  ASSERT_TRUE(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}

TEST(DataArchive, LazyReadingWaitsForTheRequestAndPreloadingReadsAtOpen) {
  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  const std::size_t dataStart = 20 + 2 * 268;
  for (int preload : {0, 1, 2}) {
    SCOPED_TRACE(preload);
    const std::string bytes = buildArchive({{"a", "old!"}, {"b", run(4, "o"), 4, 1}});
    ASSERT_TRUE(test::writeFileBytes(path, bytes));
    DataArchive archive(path.c_str());
    ASSERT_TRUE(archive.open(preload));
    patchFile(path, dataStart, "new!");
    patchFile(path, dataStart + 6, "n");
    const unsigned char* first = archive.entryData("a");
    EXPECT_EQ(bytesOf(archive, "a") + bytesOf(archive, "b"),
              preload == 1 ? "old!oooo" : "new!nnnn");
    // Once read, an entry keeps its block.
    patchFile(path, dataStart, "late");
    EXPECT_EQ(archive.entryData("a"), first);
    EXPECT_EQ(bytesOf(archive, "a"), preload == 1 ? "old!" : "new!");
  }
  ASSERT_TRUE(test::writeFileBytes(dir.file("two.dat"), buildArchive({{"a", "two"}})));
  DataArchive archive(path.c_str());
  ASSERT_TRUE(archive.openFile(dir.file("two.dat").c_str(), 0));
  EXPECT_EQ(bytesOf(archive, "a"), "two");
  EXPECT_FALSE(archive.openFile(dir.file("three.dat").c_str(), 1));
  EXPECT_EQ(archive.entryData("a"), nullptr);

  // An archive the user may only read opens.
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  int result = test::runUnprivileged([&] {
    if (access(path.c_str(), W_OK) == 0) return 4;  // the test would prove nothing
    DataArchive readOnly(path.c_str());
    return !readOnly.open(1) ? 1 : bytesOf(readOnly, "a") == "late" ? 0 : 2;
  });
  EXPECT_EQ(result, 0) << "1: open failed, 2: wrong content, 3: could not drop root, "
                          "4: file still writable";
}

TEST(ArchiveWriter, CodesRunsTheReaderReadsBackAndRefusesNamesTheArchiveCannotHold) {
  using Result = ArchiveWriter::AddResult;
  EXPECT_EQ(encodeRuns("ababcd", 2), run(2, "ab") + run(1, "cd"));
  EXPECT_EQ(encodeRuns(std::string(70000, 'x'), 1), run(65535, "x") + run(4465, "x"));
  const struct {
    std::string name, bytes;
    int unit, storedUnit;
  } cases[] = {
      {"stored.bin", "no runs here", 0, 0},
      {"pairs.bmp", std::string(400, 'p') + "xy", 2, 2},
      {"odd.bmp", std::string(401, 'p'), 2, 0},  // not a whole number of units
      {"noisy.bin", "abcdefghij", 1, 0},         // runs would be larger
      {"empty", "", 1, 0},
      {std::string(255, 'n'), std::string(200000, 'L'), 4, 4},
  };
  ArchiveWriter writer;
  for (const auto& c : cases) ASSERT_EQ(writer.add(c.name, c.bytes, c.unit), Result::Added);
  std::string built;
  ASSERT_TRUE(writer.build(built));
  EXPECT_LT(built.size(), 20 + std::size(cases) * 268 + 1000) << "the long runs were not coded";
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(built.data(), built.size(), 1));
  ASSERT_EQ(archive.count(), static_cast<int>(std::size(cases)));
  for (int i = 0; i < archive.count(); ++i) {
    EXPECT_EQ(archive.find(cases[i].name.c_str()), i);
    EXPECT_EQ(archive.entry(i)->unit, cases[i].storedUnit) << cases[i].name;
    EXPECT_EQ(bytesOf(archive, cases[i].name.c_str()), cases[i].bytes) << cases[i].name;
  }

  // Names the archive cannot hold; a file it cannot replace is kept.
  writer = ArchiveWriter();
  ASSERT_EQ(writer.add("a", "new"), Result::Added);
  EXPECT_EQ(writer.add("a", "y"), Result::DuplicateName);
  EXPECT_EQ(writer.add("", "y"), Result::BadName);
  EXPECT_EQ(writer.add(std::string("a\0b", 3), "y"), Result::BadName);
  EXPECT_EQ(writer.add(std::string(256, 'n'), "y"), Result::NameTooLong);
  EXPECT_EQ(writer.add("b.bmp", "y", -1), Result::BadUnit);
  EXPECT_EQ(writer.entryCount(), 1u);

  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  ASSERT_TRUE(test::writeFileBytes(path, "earlier"));
  ASSERT_TRUE(writer.writeFile(path.c_str()));
  ASSERT_TRUE(archive.openFile(path.c_str(), 1));
  EXPECT_EQ(bytesOf(archive, "a"), "new");
  EXPECT_FALSE(writer.writeFile(dir.file("missing/data.dat").c_str()));
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
}

}  // namespace
}  // namespace vek
