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

// The letters of a wilderness map's local maps, from its file name alone
// (never from the folder): the two characters before the first '.' of the
// file name; fewer when the name has fewer before it (so "Q.MAP" gives
// "Q"); the last two of a name without a dot. Empty until a path sets it.
class WildernessCode {
 public:
  // Takes the code from path's file name; true when it has characters.
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
// "%s%s.MAP". Nothing when the result would not fit a path buffer, or the
// name would lead out of the folder (isConfinedName).
std::optional<std::string> teleportDestinationPath(const std::string& folder,
                                                   const std::string& name);

// Whether a teleport's destination name stays in the world folder: it holds
// no '/' and no "..". A map file may hold any name; one that does not stay
// is listed, but not followed.
bool isConfinedName(const std::string& name);

// Why the file at chosenPath cannot be the destination of a teleport of a
// map in currentFolder, as the message to show; nothing when it can: a
// ".MAP" file of that very folder, with a name of 1 to 255 characters and
// none of the map format's delimiters ('!', '>', ':') or line breaks.
std::optional<std::string> teleportDestinationRefusal(const std::string& chosenPath,
                                                      const std::string& currentFolder);

}  // namespace vek
