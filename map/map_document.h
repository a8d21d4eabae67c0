#pragma once

// The map being edited and everything that belongs to it: its path, the
// revision last loaded or saved, and its undo history. Every change and
// every opening goes through here, so the unsaved marker and undo need no
// help from the code that edits.
//
// A change is one undo step: apply() runs a function on the map as one, and
// beginStep()/endStep() bracket a change that spans several calls (a paint
// stroke from press to release). A step that leaves the map as it was is not
// recorded.

#include <cstdint>
#include <optional>
#include <string>

#include "map/map.h"
#include "map/map_history.h"

namespace vek {

// How the kind of an opened map is decided. The file's keyword decides when
// it has one; a file without one keeps the kind of the map shown before, and
// so does a map that does not exist yet, unless the rule says otherwise.
enum class OpenedKind {
  AsFile,          // the file's keyword, else the kind shown before
  Local,           // always LOCAL (a wilderness cell's local map)
  WildernessIfNew  // a map without a file yet is WILDERNESS (the world view)
};

struct OpenResult {
  bool opened = false;   // false: map, path and history are as they were
  bool existed = false;  // a file was read (else the map starts empty)
  std::string reason;    // why it was not opened
};

class MapDocument {
 public:
  explicit MapDocument(std::size_t undoLimit = MapHistory::kDefaultLimit)
      : history_(undoLimit) {}

  const Map& map() const { return map_; }
  // Empty while the map has no file.
  const std::string& path() const { return path_; }
  bool hasFile() const { return !path_.empty(); }
  // Whether the map differs from what was last loaded or saved (an open
  // step that has changed it counts).
  bool isModified() const { return revision_ != savedRevision_ || changedInOpenStep(); }
  bool canUndo() const { return history_.canUndo() || changedInOpenStep(); }
  bool canRedo() const { return history_.canRedo(); }
  const MapHistory& history() const { return history_; }

  // Opens path: the file read as a map, or, when there is no file there, an
  // empty map (all cells 0, no teleports) under that path. A file that
  // cannot be a map (a folder, unreadable, too large) or a path of
  // kPathCapacity bytes or more changes nothing and gives the reason. An
  // opened map starts a new history and counts as saved.
  OpenResult open(const std::string& path, OpenedKind kind = OpenedKind::AsFile);

  // Writes the map to its path; false (nothing changed) on failure or
  // without a path.
  bool save();
  // Writes the map to path and makes it the map's path.
  bool saveAs(const std::string& path);

  // Runs change on the map as one undo step; true when it changed the map.
  template <typename Change>
  bool apply(Change&& change) {
    endStep();
    change(beginStep());
    return endStep();
  }
  // Opens a step (or continues the open one) and gives the map to change.
  Map& beginStep();
  // Closes the open step: recorded when the map changed. True if it did.
  bool endStep();
  // Closes the open step putting the map back as it was when it began.
  void cancelStep();
  bool stepOpen() const { return stepStart_.has_value(); }

  // Each closes an open step first. False when there is nothing to undo or
  // redo.
  bool undo();
  bool redo();

 private:
  bool changedInOpenStep() const { return stepStart_ && !(*stepStart_ == map_); }
  void startHistory();
  // Undo or redo: swaps the map with the state the history gives.
  bool moveThroughHistory(bool (MapHistory::*move)(MapState&));

  Map map_;
  std::string path_;
  MapHistory history_;
  std::optional<Map> stepStart_;
  std::uint64_t revision_ = 0;
  std::uint64_t savedRevision_ = 0;
  std::uint64_t nextRevision_ = 1;
};

}  // namespace vek
