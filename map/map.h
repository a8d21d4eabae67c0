#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vek {

// One tile of a map: the byte stored for the cell in the map file.
using TileCode = std::uint8_t;

// Kinds of map. The numbers are the game's own (1, 2 and 4, not 3).
enum class MapKind : std::int32_t { Wilderness = 1, Local = 2, Interior = 4 };

// A link from a cell of a map to another map of the same folder.
struct Teleport {
  std::int32_t x;  // cell column + 1 (the file stores x + 20)
  std::int32_t y;  // cell row + 1 (the file stores y + 12)
  char name[256];  // destination map name, without folder and ".MAP"
};

// One map in memory: its kind, 24 rows of 48 tile codes and its teleports
// in the order they were added. It reads and writes the .MAP file format
// (see map_file.h) and keeps no path of its own.
class Map {
 public:
  static constexpr int kColumns = 48;
  static constexpr int kRows = 24;
  // Teleport names hold at most this many bytes, terminator included.
  static constexpr std::size_t kNameCapacity = sizeof(Teleport::name);

  // An empty wilderness map: every cell 0, no teleports.
  Map() = default;
  // An empty wilderness map, then load(path); a failed load is not reported.
  explicit Map(const char* path);

  // Replaces the content from a map file. The grid is cleared first, so even
  // a failed load leaves it all 0. A file that cannot be opened for reading
  // gives false and keeps the kind and teleports; a grid line that is too
  // short gives false and keeps what was read before it. A world write of
  // the map's folder that a killed process left half done is first
  // completed or undone (recoverFileSet).
  bool load(const char* path);
  // As load, from the bytes of a map file already in memory.
  bool loadFromMemory(const void* data, std::size_t size);

  // Writes the map file, replacing the earlier one only once the new content
  // is durably on disk (replaceFile): any failure returns false, with the
  // reason in reason when given, and leaves the earlier file as it was.
  bool save(const char* path, std::string* reason = nullptr) const;

  // The column-x, row-y code; 0 outside the grid.
  TileCode getTile(int x, int y) const;
  // Stores a code inside the grid; row 23 of a local or interior map (which
  // their files do not hold) and cells outside the grid are ignored.
  void setTile(int x, int y, TileCode code);
  // Every cell back to 0.
  void clearGrid();

  // Appends a teleport; the name is copied and cut to 255 characters.
  bool addTeleport(int x, int y, const char* name);
  // Removes the teleport at that place in list order; false when none is there.
  bool removeTeleport(int index);
  int teleportCount() const;
  // Copies the fields of the teleport at that place in list order;
  // name must hold kNameCapacity bytes. False when none is there.
  bool getTeleport(int index, int* x, int* y, char* name) const;
  void clearTeleports();
  const std::vector<Teleport>& teleports() const { return teleports_; }

  MapKind kind = MapKind::Wilderness;

  // Same kind, cells and teleports (in the same order).
  friend bool operator==(const Map& a, const Map& b);

 private:
  TileCode grid_[kRows][kColumns] = {};
  std::vector<Teleport> teleports_;
};

// Number of grid rows a map of this kind stores in its file (24 or 23).
int storedRows(MapKind kind);

}  // namespace vek
