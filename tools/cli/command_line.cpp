#include "tools/cli/command_line.h"

#include <cstring>

namespace vek::cli {

void printVersion(const char* program) {
  std::printf("%s (VEK Map Editor) %s\n", program, VEK_VERSION);
}

int usageError(const char* program, const std::string& message, const char* usage) {
  std::fprintf(stderr, "%s: %s\n%s", program, message.c_str(), usage);
  return kExitUsage;
}

bool answersHelpOrVersion(int argc, char** argv, const char* program, const char* usage,
                          int& status) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(usage, stdout);
  } else if (std::strcmp(argv[1], "--version") == 0) {
    printVersion(program);
  } else {
    return false;
  }
  status = std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
  return true;
}

}  // namespace vek::cli
