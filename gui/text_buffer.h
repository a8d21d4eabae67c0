#pragma once

#include <cstddef>
#include <cstring>

namespace vek {

// Copies text into a fixed character buffer, cut to the buffer's size less
// the terminating NUL; a null text leaves the buffer empty.
template <std::size_t N>
void copyCut(char (&buffer)[N], const char* text) {
  static_assert(N > 0, "a text buffer holds at least its terminator");
  std::size_t length = text == nullptr ? 0 : strnlen(text, N - 1);
  std::memcpy(buffer, text == nullptr ? "" : text, length);
  buffer[length] = '\0';
}

// The buffer as a C string. The creator writes these public buffers directly,
// so the last byte is forced to NUL before every use: a buffer filled to the
// brim is read as N - 1 characters instead of running past its end.
template <std::size_t N>
const char* terminated(char (&buffer)[N]) {
  buffer[N - 1] = '\0';
  return buffer;
}

}  // namespace vek
