#include "resources/archive_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_bytes.h"
#include "resources/data_archive.h"
#include "temp_dir.h"

namespace vek {
namespace {

using Result = ArchiveWriter::AddResult;

TEST(ArchiveWriter, CodesRunsOfEqualUnitsThatTheReaderReadsBack) {
  EXPECT_EQ(encodeRuns("ababcd", 2), test::run(2, "ab") + test::run(1, "cd"));
  EXPECT_EQ(encodeRuns(std::string(70000, 'x'), 1), test::run(65535, "x") + test::run(4465, "x"));
  struct Case {
    std::string name, bytes;
    int unit, storedUnit;
  };
  const Case cases[] = {
      {"stored.bin", "no runs here", 0, 0},
      {"pairs.bmp", std::string(400, 'p') + "xy", 2, 2},
      {"odd.bmp", std::string(401, 'p'), 2, 0},  // not a whole number of units
      {"noisy.bin", "abcdefghij", 1, 0},         // runs would be larger
      {"empty", "", 1, 0},
      {std::string(255, 'n'), std::string(200000, 'L'), 4, 4},
  };
  ArchiveWriter writer;
  for (const Case& c : cases) ASSERT_EQ(writer.add(c.name, c.bytes, c.unit), Result::Added);
  std::string built;
  ASSERT_TRUE(writer.build(built));
  EXPECT_LT(built.size(), 20 + std::size(cases) * 268 + 1000) << "the long runs were not coded";

  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(built.data(), built.size(), 1));
  ASSERT_EQ(archive.count(), static_cast<int>(std::size(cases)));
  for (int i = 0; i < archive.count(); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(archive.find(c.name.c_str()), i);
    EXPECT_EQ(archive.entry(i)->unit, c.storedUnit) << c.name;
    std::size_t size = 0;
    const unsigned char* data = archive.entryData(i, &size);
    ASSERT_NE(data, nullptr) << c.name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), c.bytes) << c.name;
  }
}

TEST(ArchiveWriter, RefusesNamesTheArchiveCannotHoldAndKeepsAFileItCannotReplace) {
  ArchiveWriter writer;
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
  DataArchive archive(path.c_str());
  ASSERT_TRUE(archive.open(1));
  EXPECT_EQ(archive.find("a"), 0);
  EXPECT_FALSE(writer.writeFile(dir.file("missing/data.dat").c_str()));
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
}

}  // namespace
}  // namespace vek
