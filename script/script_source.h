#pragma once

// Reading a script file whole, in binary, byte for byte.

#include <cstddef>
#include <vector>

namespace vek {

// Larger script files are refused like a file whose bytes find no memory.
constexpr std::size_t kMaxScriptBytes = 64u << 20;

enum class ScriptReadResult {
  Read,        // the code stands in the buffer
  OpenFailed,  // missing, unreadable, or not a regular file (a folder, a pipe)
  LoadFailed,  // too large, no memory for it, or a read error
};

// The script's bytes, followed by one zero byte that is not part of the
// code (so code.size() - 1 is the code's length, and code.data() is a
// terminated string even for an empty file).
using ScriptCode = std::vector<char>;

ScriptReadResult readScriptFile(const char* path, ScriptCode& code);

// The reading step of readScriptFile on an open descriptor whose file had
// expectedSize bytes when it was measured. A file that has shrunk since
// gives the bytes that are still there; one that has grown gives its first
// expectedSize bytes.
ScriptReadResult readScriptBytes(int fd, std::size_t expectedSize, ScriptCode& code);

}  // namespace vek
