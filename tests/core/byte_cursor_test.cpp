#include "core/byte_cursor.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(ByteCursor, ReadsNumbersAndAReadThatDoesNotFitFailsAndEndsTheData) {
  const unsigned char bytes[] = {0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF,
                                 0xFF, 0xFF, 0x0A, 0x0B, 0x0C, 0x0D};
  ByteCursor in(bytes, sizeof bytes);
  std::uint16_t word;
  std::int32_t negative;
  std::uint32_t big;
  ASSERT_TRUE(in.readU16(word));
  EXPECT_EQ(word, 0x0201);
  ASSERT_TRUE(in.skip(2));
  ASSERT_TRUE(in.readS32(negative));
  EXPECT_EQ(negative, -2);
  ASSERT_TRUE(in.readU32BigEndian(big));
  EXPECT_EQ(big, 0x0A0B0C0Du);
  EXPECT_TRUE(in.atEnd());
  EXPECT_FALSE(in.exhausted());

  ByteCursor shorter(bytes, 3);
  std::uint32_t value = 77;
  EXPECT_FALSE(shorter.readU32(value));
  EXPECT_EQ(value, 77u);
  EXPECT_TRUE(shorter.exhausted());
  EXPECT_TRUE(shorter.atEnd());
  std::uint8_t byte;
  EXPECT_FALSE(shorter.readU8(byte));

  ByteCursor partial(bytes, 3);
  ASSERT_TRUE(partial.skip(1));
  unsigned char out[4] = {9, 9, 9, 9};
  EXPECT_EQ(partial.readBlock(out, 4), 2u);
  EXPECT_EQ(out[0], 2);
  EXPECT_EQ(out[1], 3);
  EXPECT_EQ(out[2], 9) << "nothing may be written past what was copied";
  EXPECT_TRUE(partial.exhausted());
  EXPECT_EQ(ByteCursor(bytes, 3).take(4), nullptr);
  EXPECT_FALSE(ByteCursor(nullptr, 0).skip(1));
}

}  // namespace
}  // namespace vek
