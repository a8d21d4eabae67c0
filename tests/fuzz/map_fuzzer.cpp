// Map files from anywhere: read within the bytes, invariants kept, the
// written map reads again, the same bytes always give the same map.
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "map/map.h"
#include "map/map_file.h"

namespace {

using vek::fuzz::require;

void checkInvariants(const vek::Map& map) {
  require(vek::kindText(map.kind) != nullptr, "the kind is one of the three");
  if (map.kind != vek::MapKind::Wilderness) {
    for (int x = 0; x < vek::Map::kColumns; ++x) {
      require(map.getTile(x, vek::Map::kRows - 1) == 0, "row 23 of a local or interior map is 0");
    }
  }
  // Every teleport needs a '>' and a character of the first line.
  require(map.teleportCount() <= static_cast<int>(vek::kMapLineCapacity / 2),
          "no more teleports than the first line holds");
  for (const vek::Teleport& teleport : map.teleports()) {
    require(std::memchr(teleport.name, '\0', sizeof teleport.name) != nullptr,
            "teleport names are terminated");
  }
}

bool sameMap(const vek::Map& a, const vek::Map& b) {
  if (a.kind != b.kind || a.teleportCount() != b.teleportCount()) return false;
  for (int y = 0; y < vek::Map::kRows; ++y) {
    for (int x = 0; x < vek::Map::kColumns; ++x) {
      if (a.getTile(x, y) != b.getTile(x, y)) return false;
    }
  }
  for (int i = 0; i < a.teleportCount(); ++i) {
    const vek::Teleport& s = a.teleports()[i];
    const vek::Teleport& t = b.teleports()[i];
    if (s.x != t.x || s.y != t.y || std::strcmp(s.name, t.name) != 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vek::Map map;
  bool loaded = map.loadFromMemory(data, size);
  checkInvariants(map);

  // Loading the same bytes again over the result changes nothing: the kind
  // a line without keywords keeps is the one the first load left.
  vek::Map again = map;
  require(again.loadFromMemory(data, size) == loaded, "a second load gives the same result");
  require(sameMap(map, again), "a second load gives the same map");

  if (std::optional<std::string> bytes = vek::formatMapFile(map)) {
    require(bytes->size() <= vek::kMapFirstLineLimit + 2 + vek::Map::kRows * 51,
            "a written map is no longer than its first line and 24 grid lines");
    vek::Map written;
    written.loadFromMemory(bytes->data(), bytes->size());
    checkInvariants(written);
  }
  return 0;
}
