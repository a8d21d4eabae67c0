#pragma once

// A small hand-made world holding each kind of problem a world check
// reports exactly once, for the checker's tests and vekworld's.

#include <cstdio>
#include <string>

#include "map/map.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek::test {

// Saves a map of this kind, every cell ',', with these teleports.
inline void saveTestMap(const std::string& path, MapKind kind,
                        std::initializer_list<Teleport> teleports) {
  Map map = filledMap(',', kind);
  for (const Teleport& t : teleports) map.addTeleport(t.x, t.y, t.name);
  map.save(path.c_str());
}

// Writes into folder (ending in '/'): 399 wilderness maps (VEKTT missing);
// VEKAA with teleports to CAVE (which leads back), NOWHERE (missing), CAVE
// again from outside the cells, "../ETC" and INN (no way back); BROKEN,
// not a map; ORPHAN, an interior nothing leads to; ISLAND, whose only way in
// is its own teleport; TAA2113, a local map entered by a cell of VEKAA.
inline void writeProblemWorld(const std::string& folder) {
  writeFilledWorld(folder, ',');
  std::remove((folder + "VEKTT.MAP").c_str());
  saveTestMap(folder + "VEKAA.MAP", MapKind::Wilderness,
              {{5, 5, "CAVE"}, {6, 5, "NOWHERE"}, {60, 5, "CAVE"}, {7, 5, "../ETC"},
               {8, 5, "INN"}});
  saveTestMap(folder + "CAVE.MAP", MapKind::Interior, {{1, 1, "VEKAA"}});
  saveTestMap(folder + "INN.MAP", MapKind::Interior, {});
  saveTestMap(folder + "ORPHAN.MAP", MapKind::Interior, {});
  saveTestMap(folder + "ISLAND.MAP", MapKind::Interior, {{1, 1, "ISLAND"}});
  saveTestMap(folder + "TAA2113.MAP", MapKind::Local, {});
  writeFileBytes(folder + "BROKEN.MAP", "not a map at all\n");
}

}  // namespace vek::test
