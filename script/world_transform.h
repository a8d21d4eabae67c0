#pragma once

// TRANSFORM WORLD MAP: a world script run over the existing world. The
// script grid starts as the folder's 400 wilderness maps (missing ones 0);
// afterwards only the maps whose cells changed are written, each keeping
// its kind and teleports.

#include <string>
#include <vector>

#include "core/file_set.h"
#include "map/world.h"
#include "platform/platform.h"
#include "script/script_grid.h"
#include "script/script_host.h"

namespace vek {

inline constexpr const char* kWorldTransformWarning =
    "Warning!  This will change the wilderness maps in the directory of the currently loaded "
    "map.";

// World cell (x, y), counted from 0, becomes script grid cell (x + 1, y + 1).
void copyWorldIntoGrid(const World& world, ScriptGrid& grid);
// Stores every grid cell into the world with setCell; gives how many changed.
int copyGridIntoWorld(const ScriptGrid& grid, World& world);

struct WorldTransformResult {
  bool scriptRan = false;  // false: no file was written
  int cellsChanged = 0;
  std::vector<std::string> writtenPaths;  // all changed maps, or none
  std::vector<FailedFile> failures;      // why none was written
  // Wilderness files that exist but do not read as maps: the script saw 0
  // there, and they are never replaced.
  std::vector<std::string> unreadablePaths;
};

// Writes the changed wilderness maps of world into their files, all or
// nothing (replaceFileSet).
void saveChangedWilderness(World& world, WorldTransformResult& result);

// Shows the warning on warningBox, reads the world of the folder part of
// currentPath into the grid, runs the script and writes the maps it changed.
WorldTransformResult transformWorldMap(const char* currentPath, ScriptHost& host,
                                       MessageBox& warningBox);

}  // namespace vek
