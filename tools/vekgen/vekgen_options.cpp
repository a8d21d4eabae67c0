#include "vekgen_options.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace vek {

const char* const kVekgenUsage =
    "usage: vekgen world SCRIPT FOLDER [OPTIONS]\n"
    "       vekgen current SCRIPT MAPFILE [OPTIONS]\n"
    "       vekgen feature SCRIPT MAPFILE [OPTIONS]\n"
    "       vekgen transform SCRIPT FOLDER [OPTIONS]\n"
    "       vekgen --help | --version\n"
    "\n"
    "Runs an AngelScript generation script without a window, as the editor's\n"
    "GENERATE WORLD MAP, GENERATE CURRENT MAP and PLACE FEATURE do.\n"
    "  world    writes the 400 wilderness maps VEKAA.MAP .. VEKTT.MAP into FOLDER\n"
    "  current  makes MAPFILE from nothing (all cells 0 before the script runs)\n"
    "  feature  runs the script over MAPFILE's cells and saves it back\n"
    "  transform runs a world script over FOLDER's existing wilderness maps\n"
    "           (missing ones 0) and writes only the maps whose cells changed,\n"
    "           each keeping its kind and teleports\n"
    "current and feature keep MAPFILE's kind and teleports when it exists.\n"
    "  --pos X,Y  the cell getpos() returns (X 1..48, Y 1..24); without it a\n"
    "             script that calls getpos() fails\n"
    "  --seed N   seeds rand() (default: the time)\n"
    "  --timeout SECONDS  stops the script when the run takes longer\n"
    "message() prints to standard output. SIGINT and SIGTERM stop the script;\n"
    "a write under way finishes first. Exit status: 0 all written, 1 script or\n"
    "map file not usable (nothing written), 2 some map file not written, 3 time\n"
    "limit reached (nothing written), 64 usage error, 128 + N stopped by signal N.\n";

namespace {

bool parseWhole(const std::string& text, long min, long max, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && end && *end == '\0' && value >= min && value <= max;
}

bool parsePosition(const std::string& text, VekgenOptions& options) {
  std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  long x = 0;
  long y = 0;
  if (!parseWhole(text.substr(0, comma), 1, 48, x) || !parseWhole(text.substr(comma + 1), 1, 24, y)) {
    return false;
  }
  options.posX = static_cast<int>(x);
  options.posY = static_cast<int>(y);
  return true;
}

bool parseTimeout(const std::string& text, VekgenOptions& options) {
  char* end = nullptr;
  errno = 0;
  double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || errno != 0 || !end || *end != '\0' || !(seconds > 0 && seconds <= 1e7)) {
    return false;
  }
  options.timeoutSeconds = seconds;
  return true;
}

bool parseSeed(const std::string& text, VekgenOptions& options) {
  long seed = 0;
  if (!parseWhole(text, 0, 4294967295L, seed)) return false;
  options.seed = static_cast<unsigned>(seed);
  return true;
}

std::optional<VekgenMode> parseMode(const std::string& text) {
  if (text == "world") return VekgenMode::World;
  if (text == "current") return VekgenMode::Current;
  if (text == "feature") return VekgenMode::Feature;
  if (text == "transform") return VekgenMode::Transform;
  return std::nullopt;
}

}  // namespace

std::optional<VekgenOptions> parseVekgenOptions(int argc, const char* const* argv,
                                                std::string& error) {
  VekgenOptions options;
  std::vector<std::string> positional;
  for (int i = 0; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      options.showHelp = true;
      return options;
    }
    if (argument == "--pos" || argument == "--seed" || argument == "--timeout") {
      if (i + 1 >= argc) {
        error = argument + " needs a value";
        return std::nullopt;
      }
      std::string value = argv[++i];
      if (argument == "--pos" && !parsePosition(value, options)) {
        error = "--pos wants X,Y with X from 1 to 48 and Y from 1 to 24, not '" + value + "'";
        return std::nullopt;
      }
      if (argument == "--seed" && !parseSeed(value, options)) {
        error = "--seed wants a whole number from 0 to 4294967295, not '" + value + "'";
        return std::nullopt;
      }
      if (argument == "--timeout" && !parseTimeout(value, options)) {
        error = "--timeout wants a number of seconds above 0, not '" + value + "'";
        return std::nullopt;
      }
      continue;
    }
    if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option '" + argument + "'";
      return std::nullopt;
    }
    positional.push_back(argument);
  }

  if (positional.size() != 3) {
    error = positional.empty() ? "no mode given" : "wrong number of arguments";
    return std::nullopt;
  }
  std::optional<VekgenMode> mode = parseMode(positional[0]);
  if (!mode) {
    error = "unknown mode '" + positional[0] + "'";
    return std::nullopt;
  }
  options.mode = *mode;
  options.scriptPath = positional[1];
  options.target = positional[2];
  if (options.scriptPath.empty() || options.target.empty()) {
    error = "empty path";
    return std::nullopt;
  }
  return options;
}

}  // namespace vek
