#include "map_naming.h"

#include <algorithm>

namespace vek {
namespace {

const std::string kExtension = ".MAP";
// A teleport's name field holds 255 characters and a terminator.
constexpr std::size_t kMaxTeleportNameLength = 255;

std::optional<std::string> fittingPath(std::string path) {
  if (path.size() >= kPathCapacity) return std::nullopt;
  return path;
}

}  // namespace

bool WildernessCode::update(const std::string& path) {
  std::string name = path.substr(folderPart(path).size());
  std::size_t end = std::min(name.find('.'), name.size());
  std::size_t start = end < 2 ? 0 : end - 2;
  text_ = name.substr(start, end - start);
  return !text_.empty();
}

char worldLetter(int index) { return static_cast<char>('A' + index); }

std::optional<std::string> wildernessMapPath(const std::string& folder, int worldColumn,
                                             int worldRow) {
  return fittingPath(folder + wildernessShortName(worldColumn, worldRow) + ".MAP");
}

std::string wildernessShortName(int worldColumn, int worldRow) {
  return std::string("VEK") + worldLetter(worldColumn) + worldLetter(worldRow);
}

std::optional<std::string> localMapPath(const std::string& folder, const WildernessCode& code,
                                        int cellColumn, int cellRow) {
  return fittingPath(folder + "T" + code.text() + std::to_string(cellColumn + 21) +
                     std::to_string(cellRow + 13) + ".MAP");
}

std::optional<std::string> teleportDestinationPath(const std::string& folder,
                                                   const std::string& name) {
  if (!isConfinedName(name)) return std::nullopt;
  return fittingPath(folder + name + ".MAP");
}

bool isConfinedName(const std::string& name) {
  return name.find('/') == std::string::npos && name.find("..") == std::string::npos;
}

std::optional<std::string> teleportDestinationRefusal(const std::string& chosenPath,
                                                      const std::string& currentFolder) {
  const std::string folder = folderPart(chosenPath);
  const std::string file = chosenPath.substr(folder.size());
  const std::string refused = "Not a teleport destination: " + file;
  if (file.size() < kExtension.size() ||
      file.compare(file.size() - kExtension.size(), kExtension.size(), kExtension) != 0) {
    return refused + " is not a .MAP file.";
  }
  const std::string name = file.substr(0, file.size() - kExtension.size());
  if (name.empty()) return refused + " has no name before .MAP.";
  if (name.size() > kMaxTeleportNameLength) {
    return refused + " has a name longer than " + std::to_string(kMaxTeleportNameLength) +
           " characters.";
  }
  if (name.find_first_of("!>:\r\n") != std::string::npos) {
    return refused + ": a map name cannot hold '!', '>', ':' or a line break.";
  }
  if (!sameFolder(folder, currentFolder)) {
    return refused + " is not in the folder of the current map.";
  }
  return std::nullopt;
}

}  // namespace vek
