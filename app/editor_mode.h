#pragma once

namespace vek {

// What the map area shows and what a left click in it does. The numbers are
// the editor's own and never change.
enum class EditorMode : int {
  Edit = 1,           // the current map; a left click paints the selected tile
  PlaceTeleport = 2,  // the current map; a left click adds the chosen teleport there
  WorldView = 3,      // the world picture; a left click opens the wilderness map under it
};

}  // namespace vek
