#pragma once

// The undo and redo steps of one open map. A step is the whole map as it was
// on one side of a change (a map is small: 1,152 cells and its teleports),
// so undoing and redoing swap maps and never replay edits.

#include <cstddef>
#include <cstdint>
#include <deque>

#include "map/map.h"

namespace vek {

// A map and the revision that names its content: two states with the same
// revision hold the same map.
struct MapState {
  Map map;
  std::uint64_t revision = 0;
};

class MapHistory {
 public:
  // The steps kept for undo; older ones are forgotten.
  static constexpr std::size_t kDefaultLimit = 1000;

  explicit MapHistory(std::size_t limit = kDefaultLimit) : limit_(limit == 0 ? 1 : limit) {}

  // A change was made: before is the state it started from. Drops the
  // redo steps, and the oldest undo step beyond the limit.
  void record(MapState before);
  // Gives the state before the last change and keeps current for redo;
  // false (current untouched) when there is nothing to undo.
  bool undo(MapState& current);
  // The reverse of undo.
  bool redo(MapState& current);
  void clear();

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  std::size_t undoCount() const { return undo_.size(); }
  std::size_t redoCount() const { return redo_.size(); }

 private:
  static bool step(std::deque<MapState>& from, std::deque<MapState>& to, MapState& current);

  std::size_t limit_;
  std::deque<MapState> undo_;
  std::deque<MapState> redo_;
};

}  // namespace vek
