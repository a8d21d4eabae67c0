#include "core/byte_cursor.h"

#include <cstring>

namespace vek {

const unsigned char* ByteCursor::take(std::size_t n) {
  if (n > remaining()) {
    position_ = size_;
    exhausted_ = true;
    return nullptr;
  }
  const unsigned char* at = data_ + position_;
  position_ += n;
  return at;
}

bool ByteCursor::skip(std::size_t n) { return take(n) != nullptr; }

bool ByteCursor::readU8(std::uint8_t& value) {
  const unsigned char* at = take(1);
  if (!at) return false;
  value = at[0];
  return true;
}

bool ByteCursor::readU16(std::uint16_t& value) {
  const unsigned char* at = take(2);
  if (!at) return false;
  value = static_cast<std::uint16_t>(at[0] | (at[1] << 8));
  return true;
}

bool ByteCursor::readU32(std::uint32_t& value) {
  const unsigned char* at = take(4);
  if (!at) return false;
  value = static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
          (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
  return true;
}

bool ByteCursor::readS32(std::int32_t& value) {
  std::uint32_t bits;
  if (!readU32(bits)) return false;
  value = static_cast<std::int32_t>(bits);
  return true;
}

bool ByteCursor::readU32BigEndian(std::uint32_t& value) {
  const unsigned char* at = take(4);
  if (!at) return false;
  value = (static_cast<std::uint32_t>(at[0]) << 24) | (static_cast<std::uint32_t>(at[1]) << 16) |
          (static_cast<std::uint32_t>(at[2]) << 8) | static_cast<std::uint32_t>(at[3]);
  return true;
}

std::size_t ByteCursor::readBlock(void* out, std::size_t n) {
  std::size_t copied = n <= remaining() ? n : remaining();
  if (copied > 0) std::memcpy(out, data_ + position_, copied);
  position_ += copied;
  if (copied < n) exhausted_ = true;
  return copied;
}

}  // namespace vek
