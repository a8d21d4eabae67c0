#include "map/map_history.h"

#include <utility>

namespace vek {

void MapHistory::record(MapState before) {
  redo_.clear();
  undo_.push_back(std::move(before));
  while (undo_.size() > limit_) undo_.pop_front();
}

bool MapHistory::undo(MapState& current) { return step(undo_, redo_, current); }

bool MapHistory::redo(MapState& current) { return step(redo_, undo_, current); }

void MapHistory::clear() {
  undo_.clear();
  redo_.clear();
}

bool MapHistory::step(std::deque<MapState>& from, std::deque<MapState>& to, MapState& current) {
  if (from.empty()) return false;
  to.push_back(std::move(current));
  current = std::move(from.back());
  from.pop_back();
  return true;
}

}  // namespace vek
