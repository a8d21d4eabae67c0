#include "app/map_editing.h"

#include <cstring>
#include <string>

#include "app/commands.h"
#include "app/map_opening.h"
#include "app/path_buffer.h"
#include "app/screen_layout.h"
#include "app/world_view.h"

namespace vek {
namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kAnyButton = kLeftButton | kRightButton | kMiddleButton;

struct Cell {
  int column;
  int row;
};

Cell cellAt(int x, int y) { return Cell{x / layout::kCellWidth, y / layout::kCellHeight}; }

const char* fileNamePart(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

// "+": the destination dialog, whose full path is kept for the next time.
// The destination is the chosen file name without its folder and without
// its last four characters (".MAP").
void chooseTeleportDestination(EditorApp& app) {
  app.mode = EditorMode::PlaceTeleport;
  bool chosen = app.platform.files.chooseFile(kTeleportDialogTitle, kMapExtension,
                                              app.dialogPath, kPathCapacity);
  if (chosen) {
    // Both buffers have the same capacity, so the name always fits.
    const char* name = fileNamePart(app.dialogPath);
    std::memmove(app.teleportDestination, name, std::strlen(name) + 1);
  }
  std::size_t length = std::strlen(app.teleportDestination);
  if (chosen && length > kMapExtensionLength) {
    app.teleportDestination[length - kMapExtensionLength] = '\0';
  } else {
    app.mode = EditorMode::Edit;
  }
}

void actOnMapArea(EditorApp& app, int x, int y) {
  Cell cell = cellAt(x, y);
  switch (app.mode) {
    case EditorMode::Edit:
      app.currentMap.setTile(cell.column, cell.row, app.selectedTile);
      app.mouseLatch = false;  // a held button goes on painting
      break;
    case EditorMode::PlaceTeleport:
      app.currentMap.addTeleport(cell.column + 1, cell.row + 1, app.teleportDestination);
      app.mode = EditorMode::Edit;
      break;
    case EditorMode::WorldView:
      openWorldMapAt(x, y, app.currentPath, app.currentMap);
      app.mode = EditorMode::Edit;
      break;
  }
}

// The four regions do not overlap, so a press does at most one thing. The
// position is read once: the teleport dialog of "+" lets the mouse move on,
// and where it ends up must not count as a second press.
void handleLeftPress(EditorApp& app) {
  app.mouseLatch = true;
  int x = mouse_x;
  int y = mouse_y;
  if (layout::isInPalette(x, y)) {
    app.selectedTile = layout::paletteCodeAt(x, y);
    app.mode = EditorMode::Edit;
  }
  if (layout::isInMapArea(x, y)) actOnMapArea(app, x, y);
  if (layout::isOnPlusMark(x, y)) chooseTeleportDestination(app);
  if (layout::isInMinusColumn(x, y)) {
    app.currentMap.removeTeleport(layout::teleportRowAt(y));
    app.mode = EditorMode::Edit;
  }
}

// The first teleport of the list that stands on the cell, or null.
const Teleport* teleportOn(const Map& map, Cell cell) {
  for (const Teleport& teleport : map.teleports()) {
    if (teleport.x == cell.column + 1 && teleport.y == cell.row + 1) return &teleport;
  }
  return nullptr;
}

void handleMiddlePress(EditorApp& app) {
  app.mouseLatch = true;
  int x = mouse_x;
  int y = mouse_y;
  if (!layout::isInMapArea(x, y) || app.mode != EditorMode::Edit) return;
  Cell cell = cellAt(x, y);
  std::string folder = folderPart(app.currentPath);
  app.wildernessCode.update(app.currentPath);

  if (const Teleport* teleport = teleportOn(app.currentMap, cell)) {
    if (storePath(app.currentPath, teleportDestinationPath(folder, teleport->name))) {
      openMapOrStartNew(app.currentMap, app.currentPath);
    }
  } else if (app.currentMap.kind == MapKind::Wilderness) {
    if (storePath(app.currentPath,
                  localMapPath(folder, app.wildernessCode, cell.column, cell.row))) {
      openMapOrStartNew(app.currentMap, app.currentPath);
      app.currentMap.kind = MapKind::Local;
    }
  }
}

}  // namespace

void pickTileWithRightButton(EditorApp& app) {
  if (app.mode == EditorMode::WorldView) return;
  if (!layout::isInMapArea(mouse_x, mouse_y) || !(mouse_b & kRightButton)) return;
  Cell cell = cellAt(mouse_x, mouse_y);
  app.selectedTile = app.currentMap.getTile(cell.column, cell.row);
}

void handleMousePress(EditorApp& app) {
  if (!app.mouseLatch) {
    if (mouse_b & kLeftButton) {
      handleLeftPress(app);
    } else if (mouse_b & kMiddleButton) {
      handleMiddlePress(app);
    }
  }
  if (!(mouse_b & kAnyButton)) app.mouseLatch = false;
}

}  // namespace vek
