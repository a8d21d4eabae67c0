#pragma once

// Builders of .MAP file bytes for tests.

#include <string>

namespace vek::test {

// A grid line as the editor writes it: a space, 48 codes, CR LF. Cell x of
// the row holds (seed + x) % 256, skipping 0 and 10 unless allowed.
inline std::string patternRow(int seed) {
  std::string line = " ";
  for (int x = 0; x < 48; ++x) {
    int code = (seed * 7 + x) % 256;
    if (code == 0 || code == 10 || code == 13) code = 65;
    line += static_cast<char>(code);
  }
  return line + "\r\n";
}

// First line, CR LF, then rows patternRow(0), patternRow(1), ...
inline std::string patternFile(const std::string& firstLine, int rows) {
  std::string file = firstLine + "\r\n";
  for (int row = 0; row < rows; ++row) file += patternRow(row);
  return file;
}

// The code patternRow(row) puts in column x.
inline int patternCode(int x, int row) { return static_cast<unsigned char>(patternRow(row)[1 + x]); }

}  // namespace vek::test
