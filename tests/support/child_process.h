#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vek::test {

// Runs body in a forked child process (for what must not touch the test
// process: resource limits, dropped privileges) and gives its exit code, or
// -1 when it did not exit normally.
int runInChild(const std::function<int()>& body);

// runInChild as an unprivileged user (nobody, when the tests run as root),
// for what a user without rights sees; 3 when the rights cannot be dropped.
int runUnprivileged(const std::function<int()>& body);

struct ProgramResult {
  int status = -1;  // exit status; 128 + signal when killed
  std::string out;
  std::string err;
  std::string output() const { return out + err; }
};

// Runs a program (argv[0] is its path, or a name searched in PATH) without
// a display, with extra environment entries ("NAME=value"), and waits for
// it, a minute at most; gives its exit status and what it printed.
ProgramResult runProgram(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment = {});
// runProgram with program as argv[0], then args.
ProgramResult runProgram(const std::string& program, std::vector<std::string> args);

bool contains(const std::string& text, const std::string& part);

}  // namespace vek::test
