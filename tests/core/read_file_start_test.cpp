// readFileStart gives the first bytes of a regular file, up to a limit,
// whatever size the file states (files of /proc state 0 and hold more).
#include <gtest/gtest.h>

#include <string>

#include "core/safe_file.h"
#include "temp_dir.h"

namespace vek {
namespace {

TEST(ReadFileStart, GivesTheWholeFileOrItsFirstMaxBytesAndRefusesTheRest) {
  test::TempDir dir;
  constexpr std::size_t kLimit = 5000;
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, kLimit - 1, kLimit, 3 * kLimit}) {
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 + i / 251);
    ASSERT_TRUE(test::writeFileBytes(dir.file("F.MAP"), content));
    std::string bytes = "left over";
    ASSERT_TRUE(readFileStart(dir.file("F.MAP").c_str(), kLimit, bytes)) << size;
    EXPECT_EQ(bytes, content.substr(0, kLimit)) << size;
  }
  std::string whole = test::readFileBytes("/proc/self/cmdline"), bytes;
  ASSERT_GT(whole.size(), 10u);
  ASSERT_TRUE(readFileStart("/proc/self/cmdline", 1 << 20, bytes));
  EXPECT_EQ(bytes, whole);
  ASSERT_TRUE(readFileStart("/proc/self/cmdline", 10, bytes));
  EXPECT_EQ(bytes, whole.substr(0, 10));

  for (const std::string& path : {dir.path(), dir.file("MISSING.MAP"), std::string("/dev/null")}) {
    bytes = "left over";
    EXPECT_FALSE(readFileStart(path.c_str(), 100, bytes)) << path;
  }
  EXPECT_EQ(bytes, "");
}

}  // namespace
}  // namespace vek
