#include "child_process.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "temp_dir.h"

namespace vek::test {

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

ProgramResult runProgram(const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
  TempDir outputs;
  std::string outPath = outputs.file("stdout");
  std::string errPath = outputs.file("stderr");
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  ProgramResult result;
  pid_t child = fork();
  if (child == 0) {
    if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr))
      _exit(127);
    unsetenv("DISPLAY");
    for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
    execvp(argv[0], argv.data());
    _exit(127);
  }
  if (child < 0) {
    ADD_FAILURE() << "fork failed";
    return result;
  }
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << args[0] << " did not finish";
      return result;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = readFileBytes(outPath);
  result.err = readFileBytes(errPath);
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
