#include "app/editor_app.h"

#include "app/close_button.h"
#include "app/commands.h"
#include "app/editor_screen.h"
#include "app/main_form.h"
#include "app/map_editing.h"
#include "app/screen_layout.h"
#include "app/world_view.h"
#include "script/script_grid.h"

namespace vek {

EditorApp::EditorApp(const Platform& services)
    : platform(services),
      scriptHost(scriptGrid(), platform),
      commandContext{currentPath, mode, currentMap, world, backBuffer, platform, scriptHost} {}

EditorApp::~EditorApp() { releaseAll(); }

void EditorApp::startUp(const char* archiveName) {
  buildMainForm();
  openArchive(archiveName);
  createBackBuffer();
  askForFirstMap();
  loadTilePictures();
}

void EditorApp::buildMainForm() {
  formManager = std::make_unique<FormManager>();
  vek::buildMainForm(*formManager, commandContext, screen->w, screen->h);
}

void EditorApp::openArchive(const char* archiveName) { archive = openTileArchive(archiveName); }

void EditorApp::createBackBuffer() { backBuffer = create_bitmap(screen->w, screen->h); }

void EditorApp::askForFirstMap() {
  platform.files.chooseFile(nullptr, kMapExtension, currentPath, kPathCapacity);
  currentMap = Map(currentPath);
}

void EditorApp::loadTilePictures() {
  if (archive) tileBitmaps.load(*archive);
}

bool EditorApp::runPass() {
  show_mouse(nullptr);
  clear_bitmap(backBuffer);
  acquire_bitmap(backBuffer);
  drawMapArea();
  drawPalette(backBuffer, tileBitmaps, tileCharacters);
  release_bitmap(backBuffer);
  drawStatusTexts(backBuffer, currentPath, currentMap, selectedTile, tileBitmaps, tileCharacters);
  if (layout::isInMapArea(mouse_x, mouse_y)) handleMouseOverMapArea();
  handleMousePress(*this);
  worldKeys.handle(*this);
  formManager->draw(backBuffer);
  formManager->update();
  show_mouse(backBuffer);
  blit(backBuffer, screen, 0, 0, 0, 0, screen->w, screen->h);
  return !key[KEY_ESC] && !closeRequested();
}

void EditorApp::drawMapArea() {
  if (mode == EditorMode::WorldView) {
    worldPicture.draw(backBuffer, world, tileBitmaps);
    if (worldGridLines) drawWorldGridLines(backBuffer);
    drawCurrentMapOutline(backBuffer, world, currentPath);
  } else {
    drawMapGrid(backBuffer, currentMap, tileBitmaps, tileCharacters);
  }
}

void EditorApp::handleMouseOverMapArea() {
  if (mode == EditorMode::WorldView) {
    drawWorldReadout(backBuffer, world, mouse_x, mouse_y);
  } else {
    drawCellReadout(backBuffer, currentMap, mouse_x, mouse_y);
    pickTileWithRightButton(*this);
  }
}

void EditorApp::runMainLoop() {
  while (runPass()) {
  }
}

void EditorApp::shutDown() {
  currentMap.clearTeleports();
  archive.reset();
  releaseAll();
}

void EditorApp::releaseAll() {
  // The pointer may still be drawn into the back buffer.
  show_mouse(nullptr);
  formManager.reset();
  tileBitmaps.clear();
  worldPicture.release();
  if (backBuffer) destroy_bitmap(backBuffer);
  backBuffer = nullptr;
  archive.reset();
}

}  // namespace vek
