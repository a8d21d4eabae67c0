#include "child_process.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "temp_dir.h"

namespace vek::test {

bool waitUntil(const std::function<bool()>& condition, milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(milliseconds(2));
  }
}

int runInChild(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  if (pid < 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runUnprivileged(const std::function<int()>& body) {
  return runInChild([&] {
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (setgid(nobody ? nobody->pw_gid : 65534) != 0 ||
          setuid(nobody ? nobody->pw_uid : 65534) != 0) {
        return 3;
      }
    }
    return body();
  });
}

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& workingDirectory, const std::string& outputFolder) {
  pid_ = fork();
  if (pid_ == 0) {
    setpgid(0, 0);
    if (!outputFolder.empty() && (!std::freopen((outputFolder + "/stdout").c_str(), "w", stdout) ||
                                  !std::freopen((outputFolder + "/stderr").c_str(), "w", stderr)))
      _exit(127);
    unsetenv("DISPLAY");
    for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
    if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  if (pid_ > 0) setpgid(pid_, pid_);
}

bool Process::running() {
  if (pid_ <= 0 || reaped_) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

std::optional<int> Process::waitForExit(milliseconds timeout) {
  if (!waitUntil([this] { return !running(); }, timeout)) return std::nullopt;
  if (pid_ <= 0) return -1;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
}

void Process::kill() {
  if (pid_ <= 0) return;
  // SIGTERM first so that Xvfb removes its lock; then the group (xmessage too).
  if (running()) {
    ::kill(pid_, SIGTERM);
    waitUntil([this] { return !running(); }, milliseconds(5000));
  }
  ::kill(-pid_, SIGKILL);
  if (!reaped_) waitpid(pid_, &status_, 0);
  reaped_ = true;
}

ProgramResult runProgram(const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
  TempDir outputs;
  ProgramResult result;
  {
    Process program(args, environment, "", outputs.path());
    std::optional<int> status = program.waitForExit(milliseconds(60000));
    if (!status) {
      ADD_FAILURE() << args[0] << " did not finish";
      return result;
    }
    result.status = *status;
  }
  result.out = readFileBytes(outputs.file("stdout"));
  result.err = readFileBytes(outputs.file("stderr"));
  return result;
}

ProgramResult runProgram(const std::string& program, std::vector<std::string> args) {
  args.insert(args.begin(), program);
  return runProgram(args);
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace vek::test
