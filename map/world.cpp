#include "map/world.h"

#include <unistd.h>

#include <cstring>

#include "map/map_file.h"
#include "map/map_file_check.h"
#include "core/file_set.h"
#include "core/safe_file.h"

namespace vek {
namespace {

constexpr int kWildernessCount = kWorldSide * kWorldSide;

// Whether the first line of a map file names a kind: the reader keeps the
// kind it had when none is named, so such a file would pass for a map.
bool namesKind(const std::string& bytes) {
  std::string firstLine = bytes.substr(0, bytes.find('\n'));
  firstLine = firstLine.substr(0, std::strlen(firstLine.c_str()));  // as the reader sees it
  for (const char* keyword : {"WILDERNESS", "LOCAL", "INTERIOR"}) {
    if (firstLine.find(keyword) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

void readWorldMap(const std::string& path, WorldMap& slot) {
  slot = WorldMap{};
  std::string bytes;
  // One byte more than a map can have tells a file too large to be one.
  if (!readFileStart(path.c_str(), kMapBytesConsumedAtMost + 1, bytes)) {
    // A file that is there but cannot be read is not missing.
    slot.state = ::access(path.c_str(), F_OK) == 0 ? MapFileState::Unreadable
                                                   : MapFileState::Missing;
    return;
  }
  bool loaded = !largerThanAnyMap(bytes.size()) &&
                slot.map.loadFromMemory(bytes.data(), bytes.size()) && namesKind(bytes);
  slot.state = loaded ? MapFileState::Loaded : MapFileState::Unreadable;
}

std::optional<WorldPlace> wildernessPlaceOf(const std::string& path) {
  std::string name = path.substr(folderPart(path).size());
  if (name.size() != 9 || name.compare(0, 3, "VEK") != 0 || name.compare(5, 4, ".MAP") != 0) {
    return std::nullopt;
  }
  WorldPlace place{name[3] - 'A', name[4] - 'A'};
  if (place.column < 0 || place.column >= kWorldSide || place.row < 0 || place.row >= kWorldSide) {
    return std::nullopt;
  }
  return place;
}

bool teleportDestinationExists(const std::string& folder, const std::string& name) {
  std::optional<std::string> path = teleportDestinationPath(folder, name);
  return path && ::access(path->c_str(), F_OK) == 0;
}

World::World(std::string folder) { open(std::move(folder)); }

void World::open(std::string folder) {
  folder_ = std::move(folder);
  // A world write killed half way is finished or undone before a map of it is read.
  recoverFileSet(folder_);
  wilderness_.clear();
  wilderness_.resize(kWildernessCount);
  named_.clear();
  ++revision_;
}

int World::loadWilderness() {
  int loaded = 0;
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      if (wilderness(column, row).state == MapFileState::Loaded) ++loaded;
    }
  }
  return loaded;
}

std::optional<std::string> World::wildernessPath(int column, int row) const {
  return wildernessMapPath(folder_, column, row);
}

WorldMap& World::slotAt(int column, int row) const {
  std::unique_ptr<WorldMap>& slot = wilderness_[static_cast<std::size_t>(row * kWorldSide + column)];
  if (!slot) {
    slot = std::make_unique<WorldMap>();
    if (std::optional<std::string> path = wildernessPath(column, row)) readWorldMap(*path, *slot);
  }
  return *slot;
}

const WorldMap& World::wilderness(int column, int row) const { return slotAt(column, row); }

const WorldMap& World::named(const std::string& name) const {
  std::unique_ptr<WorldMap>& slot = named_[name];
  if (!slot) {
    slot = std::make_unique<WorldMap>();
    if (std::optional<std::string> path = teleportDestinationPath(folder_, name)) {
      readWorldMap(*path, *slot);
    }
  }
  return *slot;
}

TileCode World::cell(int x, int y) const {
  if (!contains(x, y)) return 0;
  const WorldMap& slot = slotAt(x / Map::kColumns, y / Map::kRows);
  if (slot.state != MapFileState::Loaded) return 0;
  return slot.map.getTile(x % Map::kColumns, y % Map::kRows);
}

bool World::setCell(int x, int y, TileCode code) {
  if (!contains(x, y)) return false;
  WorldMap& slot = slotAt(x / Map::kColumns, y / Map::kRows);
  if (slot.state == MapFileState::Unreadable) return false;
  if (slot.state == MapFileState::Missing) {
    if (code == 0) return false;  // a missing map already reads as 0
    slot.map = Map();
    slot.state = MapFileState::Loaded;
  }
  int column = x % Map::kColumns;
  int row = y % Map::kRows;
  if (slot.map.getTile(column, row) == code) return false;
  slot.map.setTile(column, row, code);
  if (slot.map.getTile(column, row) != code) return false;  // a row the kind does not store
  slot.changed = true;
  ++revision_;
  return true;
}

std::vector<World::ChangedMap> World::changedWilderness() const {
  std::vector<ChangedMap> changed;
  for (int row = 0; row < kWorldSide; ++row) {
    for (int column = 0; column < kWorldSide; ++column) {
      const std::unique_ptr<WorldMap>& slot =
          wilderness_[static_cast<std::size_t>(row * kWorldSide + column)];
      std::optional<std::string> path = wildernessPath(column, row);
      if (slot && slot->changed && path) changed.push_back({*path, &slot->map});
    }
  }
  return changed;
}

void World::markSaved() {
  for (std::unique_ptr<WorldMap>& slot : wilderness_) {
    if (slot) slot->changed = false;
  }
}

}  // namespace vek
