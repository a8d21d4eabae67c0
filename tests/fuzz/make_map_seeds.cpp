// make_map_seeds FOLDER: writes seed maps for the map fuzzer through
// Map::save, one of each kind with and without teleports, with the odd
// teleports the format allows (negative positions, a name ending in '!',
// a first line at the writer's limit).
#include <cstdio>
#include <string>

#include "map/map.h"
#include "map/map_file.h"

namespace {

void fillPattern(vek::Map& map, int seed) {
  for (int y = 0; y < vek::Map::kRows; ++y) {
    for (int x = 0; x < vek::Map::kColumns; ++x) {
      int code = (seed * 31 + y * 7 + x) % 256;
      map.setTile(x, y, static_cast<vek::TileCode>(code == 10 ? 11 : code));
    }
  }
}

bool save(const vek::Map& map, const std::string& folder, const char* name) {
  std::string path = folder + "/" + name;
  if (map.save(path.c_str())) return true;
  std::fprintf(stderr, "make_map_seeds: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_map_seeds FOLDER\n");
    return 2;
  }
  std::string folder = argv[1];
  bool ok = true;

  vek::Map wilderness;
  fillPattern(wilderness, 1);
  ok &= save(wilderness, folder, "wilderness.MAP");
  wilderness.addTeleport(5, 8, "TOWN1");
  wilderness.addTeleport(-25, 0, "CAVE!");
  wilderness.addTeleport(48, 24, "TAA2137");
  ok &= save(wilderness, folder, "wilderness-teleports.MAP");

  vek::Map local;
  local.kind = vek::MapKind::Local;
  fillPattern(local, 2);
  ok &= save(local, folder, "local.MAP");
  local.addTeleport(1, 1, "VEKAA");
  ok &= save(local, folder, "local-teleport.MAP");

  vek::Map interior;
  interior.kind = vek::MapKind::Interior;
  fillPattern(interior, 3);
  interior.addTeleport(24, 12, "CELLAR");
  ok &= save(interior, folder, "interior.MAP");

  // As many teleports as the first line takes whole.
  vek::Map full;
  for (int i = 0; vek::formatMapFile(full); ++i) full.addTeleport(i % 48, i % 24, "NEXT");
  full.removeTeleport(full.teleportCount() - 1);
  ok &= save(full, folder, "full-first-line.MAP");

  return ok ? 0 : 1;
}
