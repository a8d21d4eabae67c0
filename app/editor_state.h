#pragma once

#include <optional>

#include "app/edit_tools.h"
#include "app/editor_mode.h"
#include "app/help_overlay.h"
#include "app/teleport_list.h"
#include "map/map.h"
#include "map/map_naming.h"

namespace vek {

inline constexpr TileCode kInitialSelectedTile = 250;

// What the editor remembers between passes besides the map itself (which
// the document owns): the mode, the selected tile, the mouse latch and the
// teleport being placed.
struct EditorState {
  EditorMode mode = EditorMode::Edit;
  TileCode selectedTile = kInitialSelectedTile;
  bool mouseLatch = false;  // a left or middle press has been acted on
  char teleportDestination[kPathCapacity] = {};
  // The teleport dialog's path, kept for its next opening.
  char dialogPath[kPathCapacity] = {};
  // Empty until a middle press first finds a dot in the current file name.
  WildernessCode wildernessCode;
  // Whether the world view draws the lines between its maps (G toggles).
  bool worldGridLines = true;
  // The active tool, a drag under way, the selection and the copied block.
  EditTools tools;
  TeleportList teleportList;
  HelpOverlay help;
  // mouse_z as the previous pass read it: the wheel turned by the difference.
  std::optional<int> wheelSeen;
};

}  // namespace vek
