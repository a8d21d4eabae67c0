#pragma once

#include <allegro.h>

#include "app/editor_mode.h"
#include "map/map.h"
#include "map/world.h"
#include "platform/platform.h"
#include "script/script_host.h"

namespace vek {

// What every button of the main form hands its command: the editor's own
// state, not copies. Its address is each button's first click argument.
struct CommandContext {
  char* currentPath;      // the editor's path buffer, kPathCapacity bytes
  EditorMode& mode;
  Map& currentMap;
  World& world;          // the world view's snapshot of the folder
  BITMAP*& backBuffer;    // the frame being drawn
  // The services the commands need besides the editor's state.
  const Platform& platform;
  ScriptHost& scriptHost;
};

}  // namespace vek
