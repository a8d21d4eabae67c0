// readFileStart gives the first bytes of a regular file, up to a limit,
// whatever size the file states: the buffer it reads into starts at the
// stated size and grows when the file holds more.
#include <gtest/gtest.h>

#include <string>

#include "core/safe_file.h"
#include "temp_dir.h"

namespace vek {
namespace {

std::string pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
  return bytes;
}

TEST(ReadFileStart, GivesTheWholeFileOrItsFirstMaxBytes) {
  test::TempDir dir;
  constexpr std::size_t kLimit = 5000;
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{1250}, kLimit - 1, kLimit,
                           kLimit + 1, 3 * kLimit}) {
    SCOPED_TRACE(size);
    std::string content = pattern(size);
    ASSERT_TRUE(test::writeFileBytes(dir.file("F.MAP"), content));
    std::string bytes = "left over";
    ASSERT_TRUE(readFileStart(dir.file("F.MAP").c_str(), kLimit, bytes));
    EXPECT_EQ(bytes, content.substr(0, kLimit));
  }
  std::string bytes = "left over";
  ASSERT_TRUE(readFileStart(dir.file("F.MAP").c_str(), 0, bytes));
  EXPECT_EQ(bytes, "");
}

TEST(ReadFileStart, ReadsPastTheStatedSizeOfAFileThatHoldsMore) {
  // Files of /proc state a size of 0 and hold more; the buffer has to grow.
  std::string whole = test::readFileBytes("/proc/self/cmdline");
  ASSERT_GT(whole.size(), 10u);
  std::string bytes;
  ASSERT_TRUE(readFileStart("/proc/self/cmdline", 1 << 20, bytes));
  EXPECT_EQ(bytes, whole);
  ASSERT_TRUE(readFileStart("/proc/self/cmdline", 10, bytes));
  EXPECT_EQ(bytes, whole.substr(0, 10));
}

TEST(ReadFileStart, RefusesWhatIsNotARegularFile) {
  test::TempDir dir;
  std::string bytes = "left over";
  EXPECT_FALSE(readFileStart(dir.path().c_str(), 100, bytes));
  EXPECT_EQ(bytes, "");
  EXPECT_FALSE(readFileStart(dir.file("MISSING.MAP").c_str(), 100, bytes));
  EXPECT_FALSE(readFileStart("/dev/null", 100, bytes));
}

}  // namespace
}  // namespace vek
