#include "run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "temp_dir.h"

namespace vek::test {

ProgramOutcome runProgram(const std::string& program, const std::vector<std::string>& args) {
  TempDir dir;
  std::string outPath = dir.file("out"), errPath = dir.file("err");
  ProgramOutcome outcome;
  pid_t child = ::fork();
  if (child < 0) return outcome;
  if (child == 0) {
    int in = ::open("/dev/null", O_RDONLY);
    int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execvp(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  outcome.out = readFileBytes(outPath);
  outcome.err = readFileBytes(errPath);
  return outcome;
}

}  // namespace vek::test
