#include "map/map_document.h"

#include <sys/stat.h>

#include <cerrno>
#include <utility>

#include "map/map_file_check.h"
#include "map/map_naming.h"

namespace vek {
namespace {

bool isMissing(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) != 0 && errno == ENOENT;
}

}  // namespace

OpenResult MapDocument::open(const std::string& path, OpenedKind kind) {
  endStep();
  OpenResult result;
  if (path.empty() || path.size() >= kPathCapacity) {
    result.reason = path.empty() ? "no file name" : "the path is too long";
    return result;
  }
  // The kind shown before carries over to a file without a keyword.
  Map next = map_;
  next.clearGrid();
  next.clearTeleports();
  if (!isMissing(path)) {
    if (std::optional<std::string> problem = mapFileProblem(path.c_str())) {
      result.reason = *problem;
      return result;
    }
    // A short grid line ends the read; the rows before it stay, as always.
    next.load(path.c_str());
    result.existed = true;
  }
  if (kind == OpenedKind::Local) next.kind = MapKind::Local;
  if (kind == OpenedKind::WildernessIfNew && !result.existed) next.kind = MapKind::Wilderness;

  map_ = std::move(next);
  path_ = path;
  startHistory();
  result.opened = true;
  return result;
}

bool MapDocument::save() {
  endStep();
  if (!hasFile() || !map_.save(path_.c_str())) return false;
  savedRevision_ = revision_;
  return true;
}

bool MapDocument::saveAs(const std::string& path) {
  endStep();
  if (path.empty() || path.size() >= kPathCapacity || !map_.save(path.c_str())) return false;
  path_ = path;
  savedRevision_ = revision_;
  return true;
}

Map& MapDocument::beginStep() {
  if (!stepStart_) stepStart_ = map_;
  return map_;
}

bool MapDocument::endStep() {
  if (!stepStart_) return false;
  bool changed = !(*stepStart_ == map_);
  if (changed) {
    history_.record(MapState{std::move(*stepStart_), revision_});
    revision_ = nextRevision_++;
  }
  stepStart_.reset();
  return changed;
}

void MapDocument::cancelStep() {
  if (!stepStart_) return;
  map_ = std::move(*stepStart_);
  stepStart_.reset();
}

bool MapDocument::undo() { return moveThroughHistory(&MapHistory::undo); }

bool MapDocument::redo() { return moveThroughHistory(&MapHistory::redo); }

bool MapDocument::moveThroughHistory(bool (MapHistory::*move)(MapState&)) {
  endStep();
  MapState current{std::move(map_), revision_};
  bool moved = (history_.*move)(current);  // leaves current as it was when false
  map_ = std::move(current.map);
  revision_ = current.revision;
  return moved;
}

void MapDocument::startHistory() {
  history_.clear();
  revision_ = nextRevision_++;
  savedRevision_ = revision_;
}

}  // namespace vek
