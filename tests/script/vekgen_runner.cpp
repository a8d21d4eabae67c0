#include "vekgen_runner.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace vek::test {

VekgenResult runVekgen(const TempDir& dir, const std::vector<std::string>& args) {
  std::string outPath = dir.file(".stdout");
  std::string errPath = dir.file(".stderr");
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(VEKGEN_PATH));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  pid_t child = fork();
  if (child == 0) {
    if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr)) {
      _exit(127);
    }
    unsetenv("DISPLAY");
    execv(VEKGEN_PATH, argv.data());
    _exit(127);
  }
  VekgenResult result;
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
      ADD_FAILURE() << "vekgen did not finish";
      return result;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = readFileBytes(outPath);
  result.err = readFileBytes(errPath);
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return result;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int countMapFiles(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    count += entry.is_regular_file() && entry.path().extension() == ".MAP";
  }
  return count;
}

int countNonZeroCells(const Map& map) {
  int count = 0;
  for (int y = 0; y < Map::kRows; ++y) {
    for (int x = 0; x < Map::kColumns; ++x) count += map.getTile(x, y) != 0;
  }
  return count;
}

}  // namespace vek::test
