// vekpack: packs files into a data.dat archive, and lists, checks and
// extracts archives. See kUsage.
#include <cstdlib>
#include <string>
#include <vector>

#include "check_command.h"
#include "extract_command.h"
#include "list_command.h"
#include "pack_command.h"
#include "tools/cli/command_line.h"

namespace {

constexpr int kMaxRunUnit = 65535;
constexpr const char* kProgram = "vekpack";

constexpr const char* kUsage =
    "usage: vekpack [--rle N] OUT.dat FILE...\n"
    "       vekpack --list ARCHIVE\n"
    "       vekpack --check ARCHIVE\n"
    "       vekpack --extract ARCHIVE DIR [--png]\n"
    "       vekpack --help | --version\n"
    "\n"
    "Packs each FILE into the archive OUT.dat under its file name without folder;\n"
    "a PNG picture is packed as a BMP entry of its name with .bmp (8 bits with a\n"
    "palette when it has at most 256 colours, else 24 bits; transparent pixels\n"
    "become the mask colour, magenta). Entries that the editor could not use as\n"
    "tile pictures are warned about.\n"
    "  --rle N    code entries as runs of N-byte units (N from 1 to 65535) where\n"
    "             that makes them smaller; the others are stored as they are\n"
    "  --list     print each entry's name, size, unit (0: stored) and whether it\n"
    "             decodes as a picture\n"
    "  --check    decode every entry as the editor would; list those that are not\n"
    "             usable pictures, with the reason, and pictures that are not\n"
    "             18 x 20; exit 1 when a tile entry (0.bmp .. 255.bmp) is unusable\n"
    "  --extract  write every entry into DIR as stored, or with --png every\n"
    "             picture as a PNG file (NAME.bmp becomes NAME.png)\n"
    "Exit status: 0 done, 1 failed (an archive at OUT.dat is then left as it\n"
    "was), 64 usage error.\n";

int usageError(const std::string& message) {
  return vek::cli::usageError(kProgram, message, kUsage);
}

bool parseRunUnit(const char* text, int& unit) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > kMaxRunUnit) return false;
  unit = static_cast<int>(value);
  return true;
}

enum class Mode { Pack, List, Check, Extract };

struct Arguments {
  Mode mode = Mode::Pack;
  bool modeGiven = false;
  int runUnit = 0;
  bool png = false;
  std::vector<std::string> operands;
};

// Empty when the arguments follow the usage, else what is wrong.
std::string parseArguments(int argc, char** argv, Arguments& args) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    Mode mode = Mode::Pack;
    if (optionsEnded || arg.empty() || arg[0] != '-') {
      args.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--rle") {
      if (i + 1 >= argc || !parseRunUnit(argv[++i], args.runUnit)) {
        return "--rle needs a unit from 1 to 65535";
      }
      continue;
    }
    if (arg == "--png") {
      args.png = true;
      continue;
    }
    if (arg == "--list") {
      mode = Mode::List;
    } else if (arg == "--check") {
      mode = Mode::Check;
    } else if (arg == "--extract") {
      mode = Mode::Extract;
    } else {
      return "unknown option " + arg;
    }
    if (args.modeGiven) return "give one of --list, --check and --extract";
    args.mode = mode;
    args.modeGiven = true;
  }
  if (args.runUnit != 0 && args.mode != Mode::Pack) return "--rle is for packing only";
  if (args.png && args.mode != Mode::Extract) return "--png goes with --extract";
  switch (args.mode) {
    case Mode::Pack:
      return args.operands.size() < 2 ? "give the archive to write and at least one file" : "";
    case Mode::Extract:
      return args.operands.size() != 2 ? "--extract takes an archive and a folder" : "";
    default:
      return args.operands.size() != 1 ? "give one archive" : "";
  }
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  if (vek::cli::answersHelpOrVersion(argc, argv, kProgram, kUsage, status)) return status;
  Arguments args;
  std::string error = parseArguments(argc, argv, args);
  if (!error.empty()) return usageError(error);
  switch (args.mode) {
    case Mode::List:
      return vek::listArchive(args.operands[0]);
    case Mode::Check:
      return vek::checkArchive(args.operands[0]);
    case Mode::Extract:
      return vek::extractArchive(args.operands[0], args.operands[1], args.png);
    case Mode::Pack:
      break;
  }
  std::vector<std::string> files(args.operands.begin() + 1, args.operands.end());
  return vek::packFiles(args.operands[0], files, args.runUnit);
}
