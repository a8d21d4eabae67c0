#pragma once

#include <optional>
#include <string>

namespace vek {

enum class VekgenMode { World, Current, Feature, Transform };

struct VekgenOptions {
  VekgenMode mode = VekgenMode::World;
  std::string scriptPath;
  std::string target;  // FOLDER for world and transform, MAPFILE for current and feature
  // The cell getpos returns (x 1..48, y 1..24), when given.
  std::optional<int> posX;
  std::optional<int> posY;
  std::optional<unsigned> seed;
  // The longest the run may take before its script is stopped.
  std::optional<double> timeoutSeconds;
  bool showHelp = false;
};

// Parses the arguments after the program name. Nothing, with the reason in
// error, when they do not follow the usage.
std::optional<VekgenOptions> parseVekgenOptions(int argc, const char* const* argv,
                                                std::string& error);

extern const char* const kVekgenUsage;

}  // namespace vek
