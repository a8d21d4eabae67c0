#include "app/editor_app.h"

#include "app/close_button.h"
#include "app/commands.h"
#include "app/editor_screen.h"
#include "app/idle_watch.h"
#include "app/key_commands.h"
#include "app/main_form.h"
#include "app/unsaved_changes.h"
#include "app/map_editing.h"
#include "app/map_marks.h"
#include "app/screen_layout.h"
#include "app/world_export.h"
#include "app/world_view.h"
#include "map/map_naming.h"
#include "script/script_grid.h"

namespace vek {

namespace {

ScriptHost::Options scriptOptions(StopWatch& stopWatch) {
  ScriptHost::Options options;
  options.stopWatch = &stopWatch;
  return options;
}

}  // namespace

EditorApp::EditorApp(const Platform& services)
    : mapClickPrompt_(services.pointer),
      platform_{services.files, services.messages, mapClickPrompt_, services.questions},
      scriptHost_(scriptGrid(), platform_, scriptOptions(scriptStopKeys_)),
      commandContext_{document_, state_, world_, backBuffer_, platform_, scriptHost_,
                      archive_} {}

EditorApp::~EditorApp() { releaseAll(); }

void EditorApp::startUp(const char* archiveName, const std::string& firstMap) {
  installCommandKeys();
  buildMainForm();
  openArchive(archiveName);
  createBackBuffer();
  if (firstMap.empty()) {
    askForFirstMap();
  } else {
    openMap(commandContext_, firstMap);
  }
  loadTilePictures();
}

void EditorApp::buildMainForm() {
  formManager_ = std::make_unique<FormManager>();
  mainForm_ = vek::buildMainForm(*formManager_, commandContext_, screen->w, screen->h);
  if (mainForm_) toolBar_.build(*mainForm_, commandContext_);
}

void EditorApp::openArchive(const char* archiveName) { archive_ = openTileArchive(archiveName); }

void EditorApp::createBackBuffer() { backBuffer_ = create_bitmap(screen->w, screen->h); }

void EditorApp::askForFirstMap() {
  char path[kPathCapacity] = "";
  if (platform_.files.chooseFile(nullptr, kMapExtension, path, kPathCapacity)) {
    openMap(commandContext_, path);
  }
}

void EditorApp::loadTilePictures() {
  if (archive_) tileBitmaps_.load(*archive_);
}

bool EditorApp::runPass() {
  show_mouse(nullptr);
  clear_bitmap(backBuffer_);
  acquire_bitmap(backBuffer_);
  drawMapArea();
  drawPalette(backBuffer_, tileBitmaps_, tileCharacters_);
  release_bitmap(backBuffer_);
  state_.teleportList.lookAtDestinations(document_.map(), folderPart(document_.path()));
  drawStatusTexts(backBuffer_, document_, state_, tileBitmaps_, tileCharacters_);
  if (layout::isInMapArea(mouse_x, mouse_y)) handleMouseOverMapArea();
  bool helpShown = state_.help.shown();
  if (helpShown) {
    closeHelpOnInput();
  } else {
    handleMousePress(commandContext_);
    handleCommandKeys(commandContext_);
    worldKeys_.handle(commandContext_);
  }
  toolBar_.showActive(state_.tools.active(), state_.mode);
  if (mainForm_) showWorldViewButtons(*mainForm_, state_.mode);
  formManager_->draw(backBuffer_);
  state_.help.draw(backBuffer_);
  if (helpShown) {
    // The buttons under the help take no click, and none that it saw.
    formManager_->snapshot = captureInput();
  } else {
    formManager_->update();
  }
  show_mouse(backBuffer_);
  blit(backBuffer_, screen, 0, 0, 0, 0, screen->w, screen->h);
  return !quitAsked();
}

bool EditorApp::quitAsked() {
  if (!closeRequested()) return false;
  if (mayDiscardChanges(commandContext_)) return true;
  clearCloseRequest();  // cancelled: the editor goes on
  return false;
}

void EditorApp::closeHelpOnInput() {
  bool keyPressed = false;
  while (keypressed()) {
    readkey();
    keyPressed = true;
  }
  // The click that closes the help does nothing else: the latch holds it.
  bool clicked = mouse_b != 0 && !state_.mouseLatch;
  state_.mouseLatch = mouse_b != 0;
  if (keyPressed || clicked) state_.help.close();
}

void EditorApp::drawMapArea() {
  if (state_.mode == EditorMode::WorldView) {
    worldPicture_.draw(backBuffer_, world_, tileBitmaps_);
    if (state_.worldGridLines) drawWorldGridLines(backBuffer_);
    drawCurrentMapOutline(backBuffer_, world_, document_.path().c_str());
  } else {
    drawMapGrid(backBuffer_, document_.map(), tileBitmaps_, tileCharacters_);
    drawMarksOverMap(backBuffer_, state_, document_.map(), mouse_x, mouse_y, tileBitmaps_,
                     tileCharacters_);
  }
}

void EditorApp::handleMouseOverMapArea() {
  if (state_.mode == EditorMode::WorldView) {
    drawWorldReadout(backBuffer_, world_, mouse_x, mouse_y);
  } else {
    drawCellReadout(backBuffer_, document_.map(), mouse_x, mouse_y);
    pickTileWithRightButton(commandContext_);
  }
}

void EditorApp::runMainLoop() {
  IdleWatch idle;
  for (;;) {
    if (idle.mayRest()) {
      rest(IdleWatch::kRestMilliseconds);
      continue;
    }
    if (!runPass()) return;
    idle.passDrawn(backBuffer_);
  }
}

void EditorApp::shutDown() {
  archive_.reset();
  releaseAll();
}

void EditorApp::releaseAll() {
  removeCommandKeys();
  // The pointer may still be drawn into the back buffer.
  show_mouse(nullptr);
  formManager_.reset();
  tileBitmaps_.clear();
  worldPicture_.release();
  if (backBuffer_) destroy_bitmap(backBuffer_);
  backBuffer_ = nullptr;
  archive_.reset();
}

}  // namespace vek
