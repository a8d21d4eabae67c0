#pragma once

// The check of a whole world folder: every .MAP file read, every teleport
// followed, every map traced back to the wilderness.

#include <string>
#include <vector>

namespace vek {

enum class WorldProblemKind {
  NotAMap,             // a .MAP file the map reader does not take
  MissingWilderness,   // a place of the 20 x 20 world without its map
  MissingDestination,  // a teleport to a file that does not exist
  TeleportOutside,     // a teleport standing outside the map's cells
  BadTeleportName,     // a name with a folder, "..", a delimiter or nothing
  NoWayIn,             // a local map or interior no teleport (or cell) leads to
  Unreachable,         // a map the wilderness does not lead to
  NoWayBack,           // warning: the destination has no teleport back
};

struct WorldProblem {
  std::string file;  // the map file's name, without folder
  WorldProblemKind kind;
  std::string text;
  bool isWarning() const { return kind == WorldProblemKind::NoWayBack; }
};

struct WorldCheck {
  bool folderReadable = false;
  int mapFiles = 0;  // .MAP files in the folder
  std::vector<WorldProblem> problems;  // by file name, warnings included
  int problemCount() const;
  int warningCount() const;
};

// A short fixed name of the kind, for machine-readable reports.
const char* worldProblemKindName(WorldProblemKind kind);

// Whether a teleport name is a plain file name: not empty, no '/', no "..",
// and none of the map format's delimiters ('>', '!', a line end).
bool isPlainMapName(const std::string& name);

// Checks the world in folder (a folder part: empty for the working
// directory, else ending in '/').
WorldCheck checkWorld(const std::string& folder);

}  // namespace vek
