#pragma once

// Runs the vekgen program as a subprocess, without a display.

#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek::test {

using VekgenResult = ProgramResult;

// Runs build/bin/vekgen with args and waits for it (a minute at most).
inline VekgenResult runVekgen(const TempDir&, const std::vector<std::string>& args) {
  return runProgram(VEKGEN_PATH, args);
}

inline int countMapFiles(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    count += entry.is_regular_file() && entry.path().extension() == ".MAP";
  return count;
}

}  // namespace vek::test
