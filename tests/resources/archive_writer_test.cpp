#include "resources/archive_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_bytes.h"
#include "resources/data_archive.h"
#include "temp_dir.h"

namespace vek {
namespace {

using Result = ArchiveWriter::AddResult;

TEST(ArchiveWriter, CodesRunsOfEqualUnitsUpTo65535) {
  EXPECT_EQ(encodeRuns("aaab", 1), test::run(3, "a") + test::run(1, "b"));
  EXPECT_EQ(encodeRuns("ababcd", 2), test::run(2, "ab") + test::run(1, "cd"));
  EXPECT_EQ(encodeRuns(std::string(70000, 'x'), 1), test::run(65535, "x") + test::run(4465, "x"));
  EXPECT_EQ(encodeRuns("", 3), "");
}

TEST(ArchiveWriter, WhatItWritesTheReaderReadsBack) {
  struct Case {
    std::string name;
    std::string bytes;
    int unit;
    int expectedUnit;
  };
  const Case cases[] = {
      {"stored.bin", "no runs here", 0, 0},
      {"coded.bmp", std::string(300, '\0') + "end!", 1, 1},
      {"pairs.bmp", std::string(400, 'p') + "xy", 2, 2},
      {"odd.bmp", std::string(401, 'p'), 2, 0},  // not a whole number of units
      {"noisy.bin", "abcdefghij", 1, 0},         // runs would be larger
      {"empty", "", 1, 0},
      {"long", std::string(200000, 'L'), 4, 4},
      {std::string(255, 'n'), "longest name", 0, 0},
  };
  ArchiveWriter writer;
  for (const Case& c : cases)
    ASSERT_EQ(writer.add(c.name, c.bytes, c.unit), Result::Added) << c.name;
  std::string built;
  ASSERT_TRUE(writer.build(built));

  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(built.data(), built.size(), 1));
  ASSERT_EQ(archive.count(), static_cast<int>(std::size(cases)));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(archive.find(c.name.c_str()), static_cast<int>(i));
    EXPECT_EQ(archive.entry(static_cast<int>(i))->unit, c.expectedUnit) << c.name;
    EXPECT_EQ(writer.storedUnit(i), c.expectedUnit) << c.name;
    std::size_t size = 0;
    const unsigned char* data = archive.entryData(static_cast<int>(i), &size);
    ASSERT_NE(data, nullptr) << c.name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), c.bytes) << c.name;
  }
  EXPECT_LT(built.size(), 20 + std::size(cases) * 268 + 2000) << "the long runs were not coded";
}

TEST(ArchiveWriter, RefusesNamesTheArchiveCannotHold) {
  ArchiveWriter writer;
  ASSERT_EQ(writer.add("a.bmp", "x"), Result::Added);
  EXPECT_EQ(writer.add("a.bmp", "y"), Result::DuplicateName);
  EXPECT_EQ(writer.add("", "y"), Result::BadName);
  EXPECT_EQ(writer.add(std::string("a\0b", 3), "y"), Result::BadName);
  EXPECT_EQ(writer.add(std::string(256, 'n'), "y"), Result::NameTooLong);
  EXPECT_EQ(writer.add("b.bmp", "y", -1), Result::BadUnit);
  EXPECT_EQ(writer.entryCount(), 1u);
  EXPECT_STRNE(ArchiveWriter::describe(Result::NameTooLong), "");
}

TEST(ArchiveWriter, WritingReplacesTheFileOnlyWhenItSucceeds) {
  test::TempDir dir;
  ArchiveWriter writer;
  ASSERT_EQ(writer.add("a", "new"), Result::Added);
  const std::string path = dir.file("data.dat");
  ASSERT_TRUE(test::writeFileBytes(path, "earlier"));
  ASSERT_TRUE(writer.writeFile(path.c_str()));
  DataArchive archive(path.c_str());
  ASSERT_TRUE(archive.open(1));
  EXPECT_EQ(archive.find("a"), 0);

  EXPECT_FALSE(writer.writeFile(dir.file("missing/data.dat").c_str()));
  EXPECT_FALSE(writer.writeFile(""));
}

}  // namespace
}  // namespace vek
