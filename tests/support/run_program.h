#pragma once

#include <string>
#include <vector>

namespace vek::test {

struct ProgramOutcome {
  int status = -1;  // the exit status, -1 when it did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs program with args (no shell between) and waits for it; stdin is
// empty.
ProgramOutcome runProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace vek::test
