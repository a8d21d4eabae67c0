#include "map_naming.h"

namespace vek {
namespace {

std::optional<std::string> fittingPath(std::string path) {
  if (path.size() >= kPathCapacity) return std::nullopt;
  return path;
}

}  // namespace

bool WildernessCode::update(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  // Dots before position 2 cannot give two characters and are passed over.
  std::size_t dot = path.find('.', nameStart < 2 ? 2 : nameStart);
  if (dot == std::string::npos) return false;
  text_ = path.substr(dot - 2, 2);
  return true;
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
  return fittingPath(folder + name + ".MAP");
}

}  // namespace vek
