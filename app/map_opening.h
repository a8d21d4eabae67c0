#pragma once

#include "map/map.h"

namespace vek {

// Opens the map of a name the editor formed (a teleport's destination, the
// local map of a wilderness cell, a wilderness map of the world view), which
// may not exist yet. With a file there it is loaded as it is. Without one the
// map becomes a new, empty one: all cells 0 and no teleports, since a map
// that does not exist yet has none (a failed load alone would keep those of
// the map shown before, and a save would write them into the new file). The
// kind is left to the caller. Gives whether a file was there.
bool openMapOrStartNew(Map& map, const char* path);

}  // namespace vek
