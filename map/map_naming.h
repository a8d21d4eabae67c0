#pragma once

// Names of the map files of a world. All maps of a world lie in one folder
// and find each other by name, formed in the folder part of the current path:
//   wilderness map at world column c, row r:  FOLDER + "VEK" + 'A'+c + 'A'+r + ".MAP"
//   local map of wilderness cell (x, y):      FOLDER + "T" + CODE + (x+21) + (y+13) + ".MAP"
//   teleport destination NAME:                FOLDER + NAME + ".MAP"
// where CODE is the wilderness code of the wilderness map's path.

#include <optional>
#include <string>

#include "core/folder.h"

namespace vek {

// Paths are held in buffers of this size: 1,023 characters and a terminator.
constexpr std::size_t kPathCapacity = 1024;
// Wilderness maps per world side.
constexpr int kWorldSide = 20;

// The two characters before the first '.' of a path's file name part,
// provided that dot stands at position 2 or later of the whole path. It lasts
// from one use to the next: the caller holds it, and a path without such a
// dot leaves it as it was. Empty until a path first sets it.
class WildernessCode {
 public:
  // Takes the code from path when it has one; true if it did.
  bool update(const std::string& path);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The letter of a world column or row: 'A' for 0 to 'T' for 19.
char worldLetter(int index);

// "%sVEK%c%c.MAP". Nothing when the result would not fit a path buffer.
std::optional<std::string> wildernessMapPath(const std::string& folder, int worldColumn,
                                             int worldRow);
// "VEK%c%c": the short name shown in the world view.
std::string wildernessShortName(int worldColumn, int worldRow);
// "%sT%s%i%i.MAP" with cellColumn + 21 and cellRow + 13 (cells from 0).
// Nothing when the result would not fit a path buffer.
std::optional<std::string> localMapPath(const std::string& folder, const WildernessCode& code,
                                        int cellColumn, int cellRow);
// "%s%s.MAP". Nothing when the result would not fit a path buffer.
std::optional<std::string> teleportDestinationPath(const std::string& folder,
                                                   const std::string& name);

}  // namespace vek
