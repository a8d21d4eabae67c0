#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vek::test {

using std::chrono::milliseconds;

// Asks condition every few milliseconds until it holds or timeout passes.
bool waitUntil(const std::function<bool()>& condition, milliseconds timeout);

// Runs body in a forked child process (for what must not touch the test
// process: resource limits, dropped privileges) and gives its exit code, or
// -1 when it did not exit normally.
int runInChild(const std::function<int()>& body);

// runInChild as an unprivileged user (nobody, when the tests run as root),
// for what a user without rights sees; 3 when the rights cannot be dropped.
int runUnprivileged(const std::function<int()>& body);

// A program (argv[0] is its path, or a name searched in PATH) in a process
// group of its own, without a display unless environment ("NAME=value"
// entries) gives one; the group is killed on destruction.
class Process {
 public:
  // outputFolder: where its "stdout" and "stderr" files go ("": inherited).
  Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment = {},
          const std::string& workingDirectory = "", const std::string& outputFolder = "");
  ~Process() { kill(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // The exit status, 128 + N when killed by signal N; nothing while running.
  std::optional<int> waitForExit(milliseconds timeout);
  void kill();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;
};

struct ProgramResult {
  int status = -1;  // exit status; 128 + signal when killed
  std::string out;
  std::string err;
  std::string output() const { return out + err; }
};

// Runs a program as Process does and waits for it, a minute at most; gives
// its exit status and what it printed.
ProgramResult runProgram(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment = {});
// runProgram with program as argv[0], then args.
ProgramResult runProgram(const std::string& program, std::vector<std::string> args);

bool contains(const std::string& text, const std::string& part);

}  // namespace vek::test
