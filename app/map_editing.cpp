#include "app/map_editing.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/commands.h"
#include "app/screen_layout.h"
#include "app/world_view.h"

namespace vek {
namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kAnyButton = kLeftButton | kRightButton | kMiddleButton;

Cell cellAt(int x, int y) { return Cell{x / layout::kCellWidth, y / layout::kCellHeight}; }

// The cell under a point, or the grid's nearest cell to a point outside it:
// a rectangle dragged past the edge reaches the edge.
Cell nearestCell(int x, int y) {
  Cell cell = cellAt(x, y);
  return Cell{std::clamp(cell.column, 0, Map::kColumns - 1), std::clamp(cell.row, 0, Map::kRows - 1)};
}

int screenHeight(const CommandContext& context) {
  return context.backBuffer ? context.backBuffer->h : layout::kScreenHeight;
}

bool shiftHeld() { return (key_shifts & KB_SHIFT_FLAG) != 0; }

const char* fileNamePart(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

// "+": the destination dialog, whose full path is kept for the next time.
// The destination is the chosen file name without its folder and without
// its last four characters (".MAP").
void chooseTeleportDestination(CommandContext& context) {
  EditorState& state = context.state;
  state.mode = EditorMode::PlaceTeleport;
  bool chosen = context.platform.files.chooseFile(kTeleportDialogTitle, kMapExtension,
                                                  state.dialogPath, kPathCapacity);
  if (chosen) {
    if (std::optional<std::string> refusal =
            teleportDestinationRefusal(state.dialogPath, folderPart(context.document.path()))) {
      context.platform.messages.showMessage(refusal->c_str());
      state.mode = EditorMode::Edit;
      return;
    }
    // Both buffers have the same capacity, so the name always fits.
    const char* name = fileNamePart(state.dialogPath);
    std::memmove(state.teleportDestination, name, std::strlen(name) + 1);
  }
  std::size_t length = std::strlen(state.teleportDestination);
  if (chosen && length > kMapExtensionLength) {
    state.teleportDestination[length - kMapExtensionLength] = '\0';
  } else {
    state.mode = EditorMode::Edit;
  }
}

void actOnMapArea(CommandContext& context, int x, int y) {
  Cell cell = cellAt(x, y);
  EditorState& state = context.state;
  switch (state.mode) {
    case EditorMode::Edit:
      // A drag goes on in followMouseWithTools until the button is let go.
      state.tools.press(context.document, cell, state.selectedTile, shiftHeld());
      break;
    case EditorMode::PlaceTeleport:
      context.document.apply([&](Map& map) {
        map.addTeleport(cell.column + 1, cell.row + 1, state.teleportDestination);
      });
      state.mode = EditorMode::Edit;
      break;
    case EditorMode::WorldView:
      openWorldMapAt(context, x, y);
      state.mode = EditorMode::Edit;
      break;
  }
}

// The four regions do not overlap, so a press does at most one thing. The
// position is read once: the teleport dialog of "+" lets the mouse move on,
// and where it ends up must not count as a second press.
void handleLeftPress(CommandContext& context) {
  EditorState& state = context.state;
  state.mouseLatch = true;
  int x = mouse_x;
  int y = mouse_y;
  if (layout::isInPalette(x, y)) {
    state.selectedTile = layout::paletteCodeAt(x, y);
    state.mode = EditorMode::Edit;
  }
  if (layout::isInMapArea(x, y)) actOnMapArea(context, x, y);
  if (layout::isOnPlusMark(x, y)) chooseTeleportDestination(context);
  if (layout::isInMinusColumn(x, y)) {
    int index = state.teleportList.teleportAt(y, context.document.map().teleportCount(),
                                              screenHeight(context));
    if (index >= 0) context.document.apply([index](Map& map) { map.removeTeleport(index); });
    state.mode = EditorMode::Edit;
  }
  int count = context.document.map().teleportCount();
  if (TeleportList::isOnUpArrow(x, y)) {
    state.teleportList.scroll(-kRowsPerWheelNotch, count, screenHeight(context));
  }
  if (TeleportList::isOnDownArrow(x, y, screenHeight(context))) {
    state.teleportList.scroll(kRowsPerWheelNotch, count, screenHeight(context));
  }
}

// The wheel over the teleport list scrolls it; turned away from the user
// (mouse_z growing) it shows earlier rows.
void scrollListWithWheel(CommandContext& context) {
  EditorState& state = context.state;
  int wheel = mouse_z;
  int turned = state.wheelSeen ? wheel - *state.wheelSeen : 0;
  state.wheelSeen = wheel;
  if (turned == 0 || !TeleportList::isOverRows(mouse_x, mouse_y, screenHeight(context))) return;
  state.teleportList.scroll(-turned * kRowsPerWheelNotch, context.document.map().teleportCount(),
                            screenHeight(context));
}

// A drag of the tools follows the mouse on every pass while the button is
// held; where the mouse is when a pass finds it let go does not count.
void followMouseWithTools(CommandContext& context) {
  EditorState& state = context.state;
  if (!state.tools.dragging()) return;
  if (!(mouse_b & kLeftButton)) {
    state.tools.release(context.document, state.selectedTile);
    return;
  }
  bool overMap = layout::isInMapArea(mouse_x, mouse_y);
  state.tools.drag(context.document, nearestCell(mouse_x, mouse_y), overMap, state.selectedTile);
}

// The first teleport of the list that stands on the cell, or null.
const Teleport* teleportOn(const Map& map, Cell cell) {
  for (const Teleport& teleport : map.teleports()) {
    if (teleport.x == cell.column + 1 && teleport.y == cell.row + 1) return &teleport;
  }
  return nullptr;
}

void handleMiddlePress(CommandContext& context) {
  EditorState& state = context.state;
  state.mouseLatch = true;
  int x = mouse_x;
  int y = mouse_y;
  if (!layout::isInMapArea(x, y) || state.mode != EditorMode::Edit) return;
  Cell cell = cellAt(x, y);
  const MapDocument& document = context.document;
  std::string folder = folderPart(document.path());
  state.wildernessCode.update(document.path());

  if (const Teleport* teleport = teleportOn(document.map(), cell)) {
    if (!isConfinedName(teleport->name)) {
      std::string message = std::string("This teleport leads out of the world folder (") +
                            teleport->name + "); it is not followed.";
      context.platform.messages.showMessage(message.c_str());
    } else if (std::optional<std::string> path =
                   teleportDestinationPath(folder, teleport->name)) {
      openMap(context, *path);
    }
  } else if (document.map().kind == MapKind::Wilderness) {
    std::optional<std::string> path =
        localMapPath(folder, state.wildernessCode, cell.column, cell.row);
    if (path) openMap(context, *path, OpenedKind::Local);
  }
}

}  // namespace

void pickTileWithRightButton(CommandContext& context) {
  if (context.state.mode == EditorMode::WorldView) return;
  if (!layout::isInMapArea(mouse_x, mouse_y) || !(mouse_b & kRightButton)) return;
  Cell cell = cellAt(mouse_x, mouse_y);
  context.state.selectedTile = context.document.map().getTile(cell.column, cell.row);
}

void handleMousePress(CommandContext& context) {
  EditorState& state = context.state;
  if (!state.mouseLatch) {
    if (mouse_b & kLeftButton) {
      handleLeftPress(context);
    } else if (mouse_b & kMiddleButton) {
      handleMiddlePress(context);
    }
  }
  followMouseWithTools(context);
  scrollListWithWheel(context);
  if (!(mouse_b & kAnyButton)) state.mouseLatch = false;
}

}  // namespace vek
