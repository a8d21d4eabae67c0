#include "app/world_keys.h"

#include <allegro.h>

#include "app/command_context.h"
#include "app/world_view.h"

namespace vek {

bool WorldKeys::wentDown(Key which, bool down) {
  bool pressed = down && !held_[which];
  held_[which] = down;
  return pressed;
}

void WorldKeys::handle(CommandContext& context) {
  EditorState& state = context.state;
  if (wentDown(kGridKey, key[KEY_G]) && state.mode == EditorMode::WorldView) {
    state.worldGridLines = !state.worldGridLines;
  }
  bool control = key[KEY_LCONTROL] || key[KEY_RCONTROL];
  struct Step {
    Key key;
    int allegroKey;
    int columns, rows;
  };
  constexpr Step kSteps[] = {
      {kLeft, KEY_LEFT, -1, 0}, {kRight, KEY_RIGHT, 1, 0}, {kUp, KEY_UP, 0, -1}, {kDown, KEY_DOWN, 0, 1}};
  for (const Step& step : kSteps) {
    if (wentDown(step.key, control && key[step.allegroKey]) && state.mode == EditorMode::Edit &&
        context.document.map().kind == MapKind::Wilderness) {
      openNeighbourWildernessMap(context, step.columns, step.rows);
    }
  }
}

}  // namespace vek
