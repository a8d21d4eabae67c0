#pragma once

// The maps of one world folder: the 20 x 20 wilderness maps by their place
// in the world, every other map file by its name, each read from disk the
// first time it is asked for; and the world's 960 x 480 cells, the
// wilderness maps side by side (the map at world column c and row r holds
// cells 48 c to 48 c + 47 and rows 24 r to 24 r + 23).
//
// Cells change only through setCell, which marks the wilderness maps it
// changed; they are written back by saveChanged, each keeping its kind and
// teleports. Nothing else is ever written.

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "map/map.h"
#include "map/map_naming.h"

namespace vek {

// What reading a map file gave.
enum class MapFileState {
  Missing,     // no file of that name
  Unreadable,  // a file, but not one the map reader takes (see readMap)
  Loaded,
};

// One map of a world with how it was read.
struct WorldMap {
  MapFileState state = MapFileState::Missing;
  Map map;
  bool changed = false;  // cells changed by setCell since it was read or saved
};

// Reads the map file at path into slot. Unreadable: the file cannot be read,
// it is larger than any map can be, a grid line is too short, or its first
// line names no kind (a file that
// is not a map at all would otherwise read as an empty wilderness map).
void readWorldMap(const std::string& path, WorldMap& slot);

// A place of the 20 x 20 world: world column and row, 0..19.
struct WorldPlace {
  int column;
  int row;
};
// The place of the wilderness map a path names ("VEK" + two letters A..T +
// ".MAP" as its file name part); nothing for any other path.
std::optional<WorldPlace> wildernessPlaceOf(const std::string& path);

// Whether the file a teleport named name leads to exists in folder. A name
// that would not fit a path leads nowhere.
bool teleportDestinationExists(const std::string& folder, const std::string& name);

class World {
 public:
  static constexpr int kColumns = kWorldSide * Map::kColumns;  // 960
  static constexpr int kRows = kWorldSide * Map::kRows;        // 480

  // The world of folder: a folder part, empty for the working directory,
  // else ending in '/'. Nothing is read yet.
  explicit World(std::string folder = {});

  const std::string& folder() const { return folder_; }
  // Forgets every map read and every change; the next use reads afresh.
  void open(std::string folder);
  // Reads all 400 wilderness maps now, so that the cells are a snapshot of
  // the folder as it is. Gives the number that loaded.
  int loadWilderness();

  // The wilderness map at world column c and row r (0..19), read on first use.
  const WorldMap& wilderness(int column, int row) const;
  // The map of the file NAME.MAP of the folder, read on first use. A name
  // that would not fit a path gives a Missing map.
  const WorldMap& named(const std::string& name) const;

  static bool contains(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
  // The code of world cell (x, y), counted from 0; 0 outside the world and
  // in the block of a wilderness map that did not load.
  TileCode cell(int x, int y) const;
  // Stores a code in the wilderness map that holds the cell and marks it
  // changed when the code differs. A missing map becomes a new, empty
  // wilderness map first; an unreadable one is left alone (its file is
  // never replaced by what little was read of it), as are cells outside the
  // world and row 23 of a local or interior map. Gives whether it changed.
  bool setCell(int x, int y, TileCode code);

  // The path of the file of a wilderness map; nothing when it would not fit.
  std::optional<std::string> wildernessPath(int column, int row) const;

  struct ChangedMap {
    std::string path;
    const Map* map;
  };
  // The wilderness maps setCell changed, in the order VEKAA, VEKBA, ..., VEKTT.
  std::vector<ChangedMap> changedWilderness() const;
  // Marks every wilderness map unchanged (after its changes were written).
  void markSaved();

  // Changes whenever a cell may have changed, so that what is drawn from the
  // cells can tell whether it is still up to date.
  unsigned long long revision() const { return revision_; }

 private:
  WorldMap& slotAt(int column, int row) const;

  std::string folder_;
  // Read on demand, hence mutable: reading does not change what the world is.
  mutable std::vector<std::unique_ptr<WorldMap>> wilderness_;
  mutable std::unordered_map<std::string, std::unique_ptr<WorldMap>> named_;
  unsigned long long revision_ = 0;
};

}  // namespace vek
