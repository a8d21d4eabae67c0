#include "map.h"

#include <cstring>

#include "core/file_set.h"
#include "core/folder.h"
#include "core/safe_file.h"
#include "map_file.h"

namespace vek {

int storedRows(MapKind kind) { return kind == MapKind::Wilderness ? Map::kRows : Map::kRows - 1; }

Map::Map(const char* path) { load(path); }

bool Map::load(const char* path) {
  clearGrid();
  std::string bytes;
  if (!path) return false;
  recoverFileSet(folderPart(path));
  if (!readFileStart(path, kMapBytesConsumedAtMost, bytes)) return false;
  return readMapFile(*this, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

bool Map::loadFromMemory(const void* data, std::size_t size) {
  clearGrid();
  return readMapFile(*this, static_cast<const unsigned char*>(data), size);
}

bool Map::save(const char* path, std::string* reason) const {
  std::optional<std::string> bytes = formatMapFile(*this);
  if (!bytes && reason) *reason = kTeleportsDoNotFit;
  return bytes && replaceFile(path, *bytes, reason);
}

TileCode Map::getTile(int x, int y) const {
  if (x < 0 || x >= kColumns || y < 0 || y >= kRows) return 0;
  return grid_[y][x];
}

void Map::setTile(int x, int y, TileCode code) {
  if (x < 0 || x >= kColumns || y < 0 || y >= storedRows(kind)) return;
  grid_[y][x] = code;
}

void Map::clearGrid() { std::memset(grid_, 0, sizeof grid_); }

bool Map::addTeleport(int x, int y, const char* name) {
  Teleport teleport{x, y, {}};
  if (name) std::strncpy(teleport.name, name, kNameCapacity - 1);
  teleports_.push_back(teleport);
  return true;
}

bool Map::removeTeleport(int index) {
  if (index < 0 || index >= teleportCount()) return false;
  teleports_.erase(teleports_.begin() + index);
  return true;
}

int Map::teleportCount() const { return static_cast<int>(teleports_.size()); }

bool Map::getTeleport(int index, int* x, int* y, char* name) const {
  if (index < 0 || index >= teleportCount()) return false;
  const Teleport& teleport = teleports_[static_cast<std::size_t>(index)];
  if (x) *x = teleport.x;
  if (y) *y = teleport.y;
  if (name) std::memcpy(name, teleport.name, kNameCapacity);
  return true;
}

void Map::clearTeleports() { teleports_.clear(); }

bool operator==(const Map& a, const Map& b) {
  if (a.kind != b.kind || a.teleports_.size() != b.teleports_.size()) return false;
  if (std::memcmp(a.grid_, b.grid_, sizeof a.grid_) != 0) return false;
  for (std::size_t i = 0; i < a.teleports_.size(); ++i) {
    const Teleport& left = a.teleports_[i];
    const Teleport& right = b.teleports_[i];
    if (left.x != right.x || left.y != right.y || std::strcmp(left.name, right.name) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace vek
