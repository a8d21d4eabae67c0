#pragma once

#include <allegro.h>

#include <memory>

#include "app/editor_state.h"
#include "map/map_document.h"
#include "map/world.h"
#include "platform/platform.h"
#include "resources/data_archive.h"
#include "script/script_host.h"

namespace vek {

// What the editor's commands, keys and mouse handling work on: the
// editor's own state, not copies.
struct CommandContext {
  MapDocument& document;
  EditorState& state;
  World& world;  // the world view's snapshot of the folder
  BITMAP*& backBuffer;  // the frame being drawn
  // The services the commands need besides the editor's state.
  const Platform& platform;
  ScriptHost& scriptHost;
  // The tile archive (none when data.dat could not be opened).
  std::unique_ptr<DataArchive>& tileArchive;
};

}  // namespace vek
