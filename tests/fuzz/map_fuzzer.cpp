// Map files from anywhere: read within the bytes, invariants kept, the same
// bytes always give the same map, and what is written fits a map file.
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "map/map.h"
#include "map/map_file.h"

using vek::Map;
using vek::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Map map;
  bool loaded = map.loadFromMemory(data, size);
  require(vek::kindText(map.kind) != nullptr, "the kind is one of the three");
  for (int x = 0; map.kind != vek::MapKind::Wilderness && x < Map::kColumns; ++x)
    require(map.getTile(x, Map::kRows - 1) == 0, "row 23 of a local or interior map is 0");
  // Every teleport needs a '>' and a character of the first line.
  require(map.teleportCount() <= static_cast<int>(vek::kMapLineCapacity / 2),
          "no more teleports than the first line holds");
  for (const vek::Teleport& teleport : map.teleports())
    require(std::memchr(teleport.name, '\0', sizeof teleport.name) != nullptr,
            "teleport names are terminated");

  // Loading the same bytes again over the result changes nothing: the kind
  // a line without keywords keeps is the one the first load left.
  Map again = map;
  require(again.loadFromMemory(data, size) == loaded && again == map,
          "a second load gives the same result and map");
  std::optional<std::string> bytes = vek::formatMapFile(map);
  require(!bytes || bytes->size() <= vek::kMapFirstLineLimit + 2 + Map::kRows * 51,
          "a written map is no longer than its first line and 24 grid lines");
  return 0;
}
