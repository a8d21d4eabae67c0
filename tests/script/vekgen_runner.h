#pragma once

// Runs the vekgen program as a subprocess, without a display.

#include <string>
#include <vector>

#include "map/map.h"
#include "temp_dir.h"

namespace vek::test {

struct VekgenResult {
  int status = -1;  // exit status; 128 + signal when killed
  std::string out;
  std::string err;
};

// Runs build/bin/vekgen with args and waits for it (a minute at most); its
// output passes through files in dir.
VekgenResult runVekgen(const TempDir& dir, const std::vector<std::string>& args);

bool contains(const std::string& text, const std::string& part);
int countMapFiles(const std::string& folder);
int countNonZeroCells(const Map& map);

}  // namespace vek::test
