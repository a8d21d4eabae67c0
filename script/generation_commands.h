#pragma once

// The three generation commands: each prepares the script grid, runs one
// user-chosen script through the host and, only when the run counts,
// copies blocks of the grid into maps. The editor's buttons call them; so
// does the command-line runner vekgen.

#include <string>
#include <vector>

#include "core/file_set.h"
#include "map/map.h"
#include "platform/platform.h"
#include "script/script_host.h"

namespace vek {

inline constexpr const char* kWorldGenerationWarning =
    "Warning!  This will replace all wilderness maps in the directory of the currently loaded "
    "map.";

// Copies the map's 48 x 24 cells into the grid's top-left block
// (map cell (x, y) is grid cell (x + 1, y + 1)).
void copyMapIntoGrid(const Map& map, ScriptGrid& grid);
// Writes the grid block of world column c and row r into the map cell by
// cell with setTile, so row 23 of a local or interior map stays as it is.
void copyGridBlockIntoMap(const ScriptGrid& grid, int worldColumn, int worldRow, Map& map);

// PLACE FEATURE: the map's cells go into the top-left block (the rest of
// the grid keeps what earlier runs left there), the script runs, and the
// block is written back into the map. True when the map was written; false
// (map unchanged) when the run did not count.
bool placeFeature(Map& map, ScriptHost& host);

// GENERATE CURRENT MAP: the whole grid is cleared to 0, the script runs, and
// the top-left block is written into the map, so every cell the script did
// not set becomes 0. True when the map was written.
bool generateCurrentMap(Map& map, ScriptHost& host);

struct WorldGenerationResult {
  bool scriptRan = false;            // false: no file was written
  int filesWritten = 0;              // all 400, or none
  std::vector<FailedFile> failures;  // why the world was not written
};

// Saves the 20 x 20 blocks of the grid as the wilderness maps of folder (an
// empty folder means the working directory): empty wilderness maps with the
// block's cells and no teleports, replacing the earlier files all or
// nothing (replaceFileSet): when any file cannot be written, no map of the
// folder changes and the failure says which file and why.
FileSetResult saveWildernessMaps(const ScriptGrid& grid, const std::string& folder);

// GENERATE WORLD MAP: clears the grid, shows the warning on warningBox, runs
// the script, then saves the grid with saveWildernessMaps into the folder
// part of currentPath. The caller reloads its current map afterwards, since
// it may be one of the files written.
WorldGenerationResult generateWorldMap(const char* currentPath, ScriptHost& host,
                                       MessageBox& warningBox);

}  // namespace vek
