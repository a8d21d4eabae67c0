#pragma once

// Runs the vekgen program as a subprocess, without a display.

#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "test_maps.h"

namespace vek::test {

using VekgenResult = ProgramResult;

// Runs build/bin/vekgen with args (under wrapper, e.g. strace, when given).
inline VekgenResult runVekgen(const std::vector<std::string>& args,
                              std::vector<std::string> wrapper = {}) {
  wrapper.push_back(VEKGEN_PATH);
  wrapper.insert(wrapper.end(), args.begin(), args.end());
  return runProgram(wrapper);
}

inline int countMapFiles(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    count += entry.is_regular_file() && entry.path().extension() == ".MAP";
  return count;
}

}  // namespace vek::test
