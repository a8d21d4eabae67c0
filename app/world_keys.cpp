#include "app/world_keys.h"

#include <allegro.h>

#include "app/editor_app.h"
#include "app/world_view.h"

namespace vek {

bool WorldKeys::wentDown(Key which, bool down) {
  bool pressed = down && !held_[which];
  held_[which] = down;
  return pressed;
}

void WorldKeys::handle(EditorApp& app) {
  if (wentDown(kGridKey, key[KEY_G]) && app.mode == EditorMode::WorldView) {
    app.worldGridLines = !app.worldGridLines;
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
    if (wentDown(step.key, control && key[step.allegroKey]) && app.mode == EditorMode::Edit &&
        app.currentMap.kind == MapKind::Wilderness) {
      openNeighbourWildernessMap(app.currentPath, app.currentMap, step.columns, step.rows);
    }
  }
}

}  // namespace vek
