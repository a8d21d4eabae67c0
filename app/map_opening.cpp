#include "app/map_opening.h"

#include <sys/stat.h>

namespace vek {

bool openMapOrStartNew(Map& map, const char* path) {
  struct stat info;
  if (stat(path, &info) != 0) {
    map.clearGrid();
    map.clearTeleports();
    return false;
  }
  map.load(path);
  return true;
}

}  // namespace vek
