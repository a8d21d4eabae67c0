#pragma once

#include <cstddef>
#include <cstdint>

namespace vek {

// A read position over bytes that belong to someone else. Every read checks
// what is left first: a read that does not fit gives false (or copies only
// what there is), moves the cursor to the end and marks it exhausted, so
// callers never look past the last byte. Multi-byte numbers are
// little-endian unless the name says otherwise.
class ByteCursor {
 public:
  ByteCursor(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

  bool readU8(std::uint8_t& value);
  bool readU16(std::uint16_t& value);
  bool readU32(std::uint32_t& value);
  bool readS32(std::int32_t& value);
  bool readU32BigEndian(std::uint32_t& value);

  // Copies up to n bytes into out and gives the number copied; fewer than n
  // means the data ended (the cursor is then exhausted).
  std::size_t readBlock(void* out, std::size_t n);
  // The next n bytes in place, or null when fewer are left.
  const unsigned char* take(std::size_t n);
  // Moves on by n bytes; false (and exhausted) when fewer are left.
  bool skip(std::size_t n);

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return size_ - position_; }
  bool atEnd() const { return position_ == size_; }
  // True once a read asked for more than was left.
  bool exhausted() const { return exhausted_; }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  bool exhausted_ = false;
};

}  // namespace vek
