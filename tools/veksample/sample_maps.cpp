#include "sample_maps.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "map/map.h"
#include "map/map_naming.h"

namespace vek {
namespace {

// Tile codes of the default tile set.
constexpr TileCode kGrass = ',';
constexpr TileCode kFarmland = 'F';
constexpr TileCode kForest = 'T';
constexpr TileCode kRocks = 'X';
constexpr TileCode kRoad = '=';
constexpr TileCode kBridge = 'B';
constexpr TileCode kDeepWater = '~';
constexpr TileCode kShallowWater = 'w';
constexpr TileCode kTown = 'o';
constexpr TileCode kHouse = 'h';
constexpr TileCode kCave = 'O';
constexpr TileCode kWell = 'W';
constexpr TileCode kWall = '#';
constexpr TileCode kFloor = '.';
constexpr TileCode kDoor = '+';
constexpr TileCode kStairsUp = '<';
constexpr TileCode kChest = 'c';
constexpr TileCode kAltar = 'a';

constexpr const char* kInnName = "INN";
constexpr const char* kCaveName = "CAVE";

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

void fill(Map& map, int left, int top, int width, int height, TileCode code) {
  for (int row = top; row < top + height; ++row)
    for (int column = left; column < left + width; ++column) map.setTile(column, row, code);
}

// A teleport placed as the editor places one: on cell (column, row).
void addTeleport(Map& map, int column, int row, const std::string& name) {
  map.addTeleport(column + 1, row + 1, name.c_str());
}

// The name a teleport stores: the file name without folder and ".MAP".
std::string teleportName(const std::string& path) {
  std::string name = path.substr(folderPart(path).size());
  return name.substr(0, name.size() - 4);
}

struct Site {
  int worldColumn, worldRow, column, row;
  Map map;
};

std::optional<Site> findTown(const std::string& folder) {
  std::optional<Site> fallback;
  for (int worldRow = 0; worldRow < kWorldSide; ++worldRow) {
    for (int worldColumn = 0; worldColumn < kWorldSide; ++worldColumn) {
      Map map;
      std::optional<std::string> path = wildernessMapPath(folder, worldColumn, worldRow);
      if (!path || !map.load(path->c_str())) continue;
      for (int row = 2; row < Map::kRows - 2; ++row) {
        for (int column = 3; column < Map::kColumns - 3; ++column) {
          if (map.getTile(column, row) == kTown) return Site{worldColumn, worldRow, column, row, map};
        }
      }
      if (!fallback || (worldColumn == 9 && worldRow == 9)) {
        fallback = Site{worldColumn, worldRow, Map::kColumns / 2, Map::kRows / 2, map};
      }
    }
  }
  if (fallback) fallback->map.setTile(fallback->column, fallback->row, kTown);
  return fallback;
}

// Ground a cave entrance must not take the place of.
bool isBuiltOrWater(TileCode code) {
  return code == kRoad || code == kBridge || code == kTown || code == kHouse || code == kWell ||
         code == kShallowWater || code == kDeepWater;
}

// A cave entrance near the town, on open ground where there is some,
// leading to the cave's interior.
void addCaveEntrance(Site& site) {
  const int offsets[][2] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}, {2, 2}, {-2, -2}, {2, -2}, {-2, 2}};
  int column = site.column + 2 < Map::kColumns ? site.column + 2 : site.column - 2;
  int row = site.row;
  for (const auto& offset : offsets) {
    int c = site.column + offset[0], r = site.row + offset[1];
    if (c < 0 || c >= Map::kColumns || r < 0 || r >= Map::kRows) continue;
    if (isBuiltOrWater(site.map.getTile(c, r))) continue;
    column = c;
    row = r;
    break;
  }
  site.map.setTile(column, row, kCave);
  addTeleport(site.map, column, row, kCaveName);
}

// The village: a road from the exit at the left edge past houses, a well and
// fields to the inn's door, inside a ring of forest.
Map makeVillage(const std::string& wildernessName) {
  Map village;
  village.kind = MapKind::Local;
  fill(village, 0, 0, Map::kColumns, Map::kRows, kGrass);
  fill(village, 0, 0, Map::kColumns, 2, kForest);
  fill(village, 0, 21, Map::kColumns, 2, kForest);
  fill(village, 46, 0, 2, Map::kRows, kForest);
  fill(village, 0, 11, 31, 1, kRoad);
  addTeleport(village, 0, 11, wildernessName);
  for (int column = 5; column <= 21; column += 4) {
    village.setTile(column, 9, kHouse);
    village.setTile(column + 1, 13, kHouse);
  }
  village.setTile(24, 9, kWell);
  fill(village, 4, 15, 12, 4, kFarmland);
  fill(village, 31, 7, 9, 9, kWall);
  fill(village, 32, 8, 7, 7, kFloor);
  village.setTile(31, 11, kDoor);
  addTeleport(village, 31, 11, kInnName);
  return village;
}

// The inn: one room with its door in the south wall leading back out.
Map makeInn(const std::string& villageName) {
  Map inn;
  inn.kind = MapKind::Interior;
  fill(inn, 0, 0, Map::kColumns, Map::kRows, kWall);
  fill(inn, 10, 4, 28, 14, kFloor);
  inn.setTile(23, 18, kDoor);
  addTeleport(inn, 23, 18, villageName);
  inn.setTile(11, 5, kChest);
  inn.setTile(36, 5, kAltar);
  return inn;
}

// The cave: a winding passage through rock from the stairs up to a chest.
Map makeCave(const std::string& wildernessName) {
  Map cave;
  cave.kind = MapKind::Interior;
  fill(cave, 0, 0, Map::kColumns, Map::kRows, kRocks);
  fill(cave, 3, 3, 12, 3, kFloor);
  fill(cave, 12, 5, 3, 12, kFloor);
  fill(cave, 12, 15, 24, 3, kFloor);
  fill(cave, 33, 6, 3, 10, kFloor);
  fill(cave, 33, 6, 10, 3, kFloor);
  cave.setTile(4, 4, kStairsUp);
  addTeleport(cave, 4, 4, wildernessName);
  cave.setTile(41, 7, kChest);
  return cave;
}

}  // namespace

bool addSampleMaps(const std::string& folder, SampleMaps& added, std::string& error) {
  struct stat info;
  if (!folder.empty() && ::stat(folder.c_str(), &info) != 0) {
    error = "cannot read " + folder + ": " + std::strerror(errno);
    return false;
  }
  std::optional<Site> site = findTown(folder);
  if (!site) {
    error = "no wilderness map in " + (folder.empty() ? std::string("the working folder") : folder);
    return false;
  }
  std::string wildernessPath = *wildernessMapPath(folder, site->worldColumn, site->worldRow);
  WildernessCode code;
  code.update(wildernessPath);
  std::optional<std::string> localPath = localMapPath(folder, code, site->column, site->row);
  std::optional<std::string> innPath = teleportDestinationPath(folder, kInnName);
  std::optional<std::string> cavePath = teleportDestinationPath(folder, kCaveName);
  if (!localPath || !innPath || !cavePath) {
    error = "the folder's name is too long for the map names";
    return false;
  }
  for (const std::string* path : {&*localPath, &*innPath, &*cavePath}) {
    if (exists(*path)) {
      error = *path + " is there already";
      return false;
    }
  }

  std::string wildernessName = wildernessShortName(site->worldColumn, site->worldRow);
  addCaveEntrance(*site);
  struct Output {
    const std::string& path;
    Map map;
  };
  const Output outputs[] = {
      {*localPath, makeVillage(wildernessName)},
      {*innPath, makeInn(teleportName(*localPath))},
      {*cavePath, makeCave(wildernessName)},
      {wildernessPath, site->map},
  };
  for (const Output& output : outputs) {
    errno = 0;
    if (!output.map.save(output.path.c_str())) {
      error = "cannot write " + output.path + ": " + (errno ? std::strerror(errno) : "write failed");
      return false;
    }
  }
  added = SampleMaps{wildernessPath, site->column, site->row, *localPath, *innPath, *cavePath};
  return true;
}

}  // namespace vek
