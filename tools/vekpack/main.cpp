// vekpack: packs files into a data.dat archive, or lists one.
//
//   vekpack [--rle N] OUT.dat FILE...   pack the files, each under its file name
//   vekpack --list ARCHIVE              list the entries of an archive
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "list_command.h"
#include "pack_command.h"

namespace {

constexpr int kMaxRunUnit = 65535;

void printUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: vekpack [--rle N] OUT.dat FILE...\n"
               "       vekpack --list ARCHIVE\n"
               "\n"
               "Packs each FILE into the archive OUT.dat under its file name without folder.\n"
               "  --rle N   code entries as runs of N-byte units (N from 1 to %d) where that\n"
               "            makes them smaller; the others are stored as they are\n"
               "  --list    print each entry's name, size, unit (0: stored) and whether it\n"
               "            decodes as a picture\n",
               kMaxRunUnit);
}

int usageError(const char* message) {
  std::fprintf(stderr, "vekpack: %s\n", message);
  printUsage(stderr);
  return 2;
}

bool parseRunUnit(const char* text, int& unit) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > kMaxRunUnit) return false;
  unit = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> operands;
  int runUnit = 0;
  bool list = false;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (optionsEnded || arg.empty() || arg[0] != '-') {
      operands.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      printUsage(stdout);
      return 0;
    } else if (arg == "--list") {
      list = true;
    } else if (arg == "--rle") {
      if (i + 1 >= argc || !parseRunUnit(argv[++i], runUnit)) {
        return usageError("--rle needs a unit from 1 to 65535");
      }
    } else {
      return usageError(("unknown option " + arg).c_str());
    }
  }

  if (list) {
    if (runUnit != 0) return usageError("--rle does not go with --list");
    if (operands.size() != 1) return usageError("--list takes one archive");
    return vek::listArchive(operands[0]);
  }
  if (operands.size() < 2) return usageError("give the archive to write and at least one file");
  std::vector<std::string> files(operands.begin() + 1, operands.end());
  return vek::packFiles(operands[0], files, runUnit);
}
