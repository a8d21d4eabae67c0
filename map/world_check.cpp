#include "map/world_check.h"

#include <dirent.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>

#include "map/map_naming.h"
#include "map/world.h"

namespace vek {
namespace {

constexpr char kMapSuffix[] = ".MAP";
constexpr std::size_t kMapSuffixLength = sizeof kMapSuffix - 1;

bool endsWithMapSuffix(const std::string& name) {
  return name.size() > kMapSuffixLength &&
         name.compare(name.size() - kMapSuffixLength, kMapSuffixLength, kMapSuffix) == 0;
}

// The .MAP files of folder, sorted; false when the folder cannot be read.
bool listMapFiles(const std::string& folder, std::vector<std::string>& names) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir)) {
    if (endsWithMapSuffix(entry->d_name)) names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return true;
}

std::string stemOf(const std::string& file) { return file.substr(0, file.size() - kMapSuffixLength); }

// A name as text safe to print: control bytes as \xNN.
std::string printable(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : name) {
    if (c < 32 || c == 127) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string teleportText(const Teleport& teleport) {
  return "teleport at " + std::to_string(teleport.x) + "," + std::to_string(teleport.y) + " to " +
         printable(teleport.name);
}

bool standsOnACell(const Teleport& teleport) {
  return teleport.x >= 1 && teleport.x <= Map::kColumns && teleport.y >= 1 &&
         teleport.y <= Map::kRows;
}

// The wilderness code of the wilderness map that enters a map of this name
// as the local map of one of its cells ("T" CODE (21..68) (13..36)), or
// nothing for any other name.
std::optional<std::string> enteringCode(const std::string& stem) {
  if (stem.size() != 7 || stem[0] != 'T') return std::nullopt;
  for (std::size_t i = 3; i < 7; ++i) {
    if (stem[i] < '0' || stem[i] > '9') return std::nullopt;
  }
  int column = std::stoi(stem.substr(3, 2));
  int row = std::stoi(stem.substr(5, 2));
  if (column < 21 || column > 20 + Map::kColumns || row < 13 || row > 12 + Map::kRows) {
    return std::nullopt;
  }
  return stem.substr(1, 2);
}

class Checker {
 public:
  Checker(const std::string& folder, WorldCheck& result) : world_(folder), result_(result) {}

  void run(const std::vector<std::string>& files) {
    for (const std::string& file : files) stems_.insert(stemOf(file));
    for (const std::string& file : files) readFile(file);
    findMissingWilderness();
    for (const auto& [stem, map] : maps_) checkTeleports(stem, *map);
    traceFromTheWilderness();
    std::stable_sort(result_.problems.begin(), result_.problems.end(),
                     [](const WorldProblem& a, const WorldProblem& b) { return a.file < b.file; });
  }

 private:
  void add(const std::string& stem, WorldProblemKind kind, std::string text) {
    result_.problems.push_back({stem + kMapSuffix, kind, std::move(text)});
  }

  void readFile(const std::string& file) {
    std::string stem = stemOf(file);
    const WorldMap& slot = world_.named(stem);
    if (slot.state != MapFileState::Loaded) {
      add(stem, WorldProblemKind::NotAMap, "not a readable map file");
      return;
    }
    maps_[stem] = &slot.map;
    if (std::optional<std::string> entering = enteringCode(stem)) {
      localByCode_[*entering].push_back(stem);
    }
    WildernessCode code;
    if (slot.map.kind == MapKind::Wilderness && code.update(file)) {
      wildernessByCode_[code.text()].push_back(stem);
    }
  }

  void findMissingWilderness() {
    for (int row = 0; row < kWorldSide; ++row) {
      for (int column = 0; column < kWorldSide; ++column) {
        std::string stem = wildernessShortName(column, row);
        if (stems_.count(stem)) {
          if (maps_.count(stem)) roots_.push_back(stem);
        } else {
          add(stem, WorldProblemKind::MissingWilderness, "wilderness map missing from the world");
        }
      }
    }
  }

  void checkTeleports(const std::string& stem, const Map& map) {
    for (const Teleport& teleport : map.teleports()) {
      std::string name = teleport.name;
      if (!standsOnACell(teleport)) {
        add(stem, WorldProblemKind::TeleportOutside,
            teleportText(teleport) + " stands outside the map's 48 x 24 cells");
      }
      if (!isPlainMapName(name)) {
        add(stem, WorldProblemKind::BadTeleportName,
            teleportText(teleport) + ": not a plain file name");
        continue;
      }
      if (!stems_.count(name)) {
        add(stem, WorldProblemKind::MissingDestination,
            teleportText(teleport) + ": " + printable(name) + kMapSuffix + " does not exist");
        continue;
      }
      teleportedTo_.insert(name);
      auto destination = maps_.find(name);
      if (destination == maps_.end()) continue;  // not a map: reported as such
      if (!hasTeleportTo(*destination->second, stem) &&
          !entersByACell(name, *destination->second, stem)) {
        add(stem, WorldProblemKind::NoWayBack,
            teleportText(teleport) + ": no teleport there leads back here");
      }
    }
  }

  // Whether the wilderness map named wilderness enters the map named local
  // through one of its cells: the way back from a local map's exit.
  static bool entersByACell(const std::string& wilderness, const Map& map,
                            const std::string& local) {
    std::optional<std::string> entering = enteringCode(local);
    WildernessCode code;
    return entering && map.kind == MapKind::Wilderness && code.update(wilderness + kMapSuffix) &&
           code.text() == *entering;
  }

  static bool hasTeleportTo(const Map& map, const std::string& stem) {
    for (const Teleport& teleport : map.teleports()) {
      if (stem == teleport.name) return true;
    }
    return false;
  }

  // The maps a reached map leads to: its teleports' destinations, and for
  // a wilderness map the local maps of its cells.
  std::vector<std::string> waysOut(const std::string& stem, const Map& map) const {
    std::vector<std::string> next;
    for (const Teleport& teleport : map.teleports()) next.emplace_back(teleport.name);
    if (map.kind != MapKind::Wilderness) return next;
    WildernessCode code;
    if (!code.update(stem + kMapSuffix)) return next;
    auto locals = localByCode_.find(code.text());
    if (locals != localByCode_.end()) next.insert(next.end(), locals->second.begin(), locals->second.end());
    return next;
  }

  bool enteredByACell(const std::string& stem) const {
    std::optional<std::string> code = enteringCode(stem);
    return code && wildernessByCode_.count(*code);
  }

  void traceFromTheWilderness() {
    std::set<std::string> reached(roots_.begin(), roots_.end());
    std::deque<std::string> queue(roots_.begin(), roots_.end());
    while (!queue.empty()) {
      std::string stem = queue.front();
      queue.pop_front();
      for (const std::string& next : waysOut(stem, *maps_.at(stem))) {
        if (maps_.count(next) && reached.insert(next).second) queue.push_back(next);
      }
    }
    for (const auto& [stem, map] : maps_) {
      if (reached.count(stem)) continue;
      bool hidden = map->kind != MapKind::Wilderness && !teleportedTo_.count(stem) &&
                    !enteredByACell(stem);
      if (hidden) {
        add(stem, WorldProblemKind::NoWayIn, "no teleport leads here");
      } else {
        add(stem, WorldProblemKind::Unreachable, "cannot be reached from the wilderness");
      }
    }
  }

  World world_;
  WorldCheck& result_;
  std::set<std::string> stems_;                 // every .MAP file, readable or not
  std::map<std::string, const Map*> maps_;      // the readable ones
  std::map<std::string, std::vector<std::string>> wildernessByCode_;
  std::map<std::string, std::vector<std::string>> localByCode_;  // readable local map names
  std::set<std::string> teleportedTo_;
  std::vector<std::string> roots_;              // the world's wilderness maps that read
};

}  // namespace

int WorldCheck::problemCount() const {
  return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                        [](const WorldProblem& p) { return !p.isWarning(); }));
}

int WorldCheck::warningCount() const {
  return static_cast<int>(problems.size()) - problemCount();
}

const char* worldProblemKindName(WorldProblemKind kind) {
  switch (kind) {
    case WorldProblemKind::NotAMap: return "not-a-map";
    case WorldProblemKind::MissingWilderness: return "missing-wilderness-map";
    case WorldProblemKind::MissingDestination: return "missing-destination";
    case WorldProblemKind::TeleportOutside: return "teleport-outside-map";
    case WorldProblemKind::BadTeleportName: return "bad-teleport-name";
    case WorldProblemKind::NoWayIn: return "no-way-in";
    case WorldProblemKind::Unreachable: return "unreachable";
    case WorldProblemKind::NoWayBack: return "no-way-back";
  }
  return "unknown";
}

bool isPlainMapName(const std::string& name) {
  return !name.empty() && name.find_first_of("/>!\r\n") == std::string::npos &&
         name.find("..") == std::string::npos;
}

WorldCheck checkWorld(const std::string& folder) {
  WorldCheck result;
  std::vector<std::string> files;
  result.folderReadable = listMapFiles(folder, files);
  if (!result.folderReadable) return result;
  result.mapFiles = static_cast<int>(files.size());
  Checker(folder, result).run(files);
  return result;
}

}  // namespace vek
