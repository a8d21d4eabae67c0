#pragma once

// The running editor: its state, the start-up steps that follow the screen
// mode, one pass of the main loop, and the shutdown.
//
// Everything drawn goes through Allegro's globals (screen, font, mouse_x,
// mouse_y, mouse_b, key); sizes come from the bitmaps themselves, so a pass
// also runs without a graphics driver: a test points screen at a memory
// bitmap, sets the mouse globals and hands in scripted platform services.

#include <allegro.h>

#include <memory>
#include <string>

#include "app/command_context.h"
#include "app/tool_bar.h"
#include "app/editor_state.h"
#include "app/map_click_prompt.h"
#include "app/script_stop_keys.h"
#include "app/tile_characters.h"
#include "app/world_keys.h"
#include "app/world_picture_cache.h"
#include "gui/form_manager.h"
#include "map/map_document.h"
#include "map/world.h"
#include "platform/platform.h"
#include "resources/data_archive.h"
#include "resources/tile_set.h"
#include "script/script_host.h"

namespace vek {

class EditorApp {
 public:
  // The initial state: no path, mode Edit, tile 250, latch clear, an empty
  // wilderness map. Touches no Allegro state.
  explicit EditorApp(const Platform& platform);
  // Releases whatever shutDown has not; Allegro must still be installed.
  ~EditorApp();
  EditorApp(const EditorApp&) = delete;
  EditorApp& operator=(const EditorApp&) = delete;

  // Start-up after the screen mode is set, in this order: the main form,
  // the archive, the back buffer, the first map, the tile pictures. A first
  // map given (the command line's) is opened instead of asking for one.
  void startUp(const char* archiveName = kTileArchiveName,
               const std::string& firstMap = std::string());
  void buildMainForm();
  void openArchive(const char* archiveName);
  void createBackBuffer();
  // The map dialog on an empty path; a confirmed file is opened. Cancelled,
  // the editor starts with an empty wilderness map without a file.
  void askForFirstMap();
  void loadTilePictures();

  // One pass of the main loop: the whole frame drawn into the back buffer,
  // the mouse and command keys handled, the main form drawn and its buttons
  // run, the pointer drawn and the frame put on the screen in one blit.
  // False when Escape (or the window's close button) asks the loop to end;
  // the pass that saw it has still completed.
  bool runPass();
  // Passes until one returns false, resting while nothing can change on
  // the screen (see IdleWatch).
  void runMainLoop();
  // The archive, then the form, pictures and back buffer.
  void shutDown();

  // What the editor shows and works on; every change goes through the
  // commands of context() (the buttons, keys and mouse use the same).
  const MapDocument& document() const { return document_; }
  const EditorState& state() const { return state_; }
  const World& world() const { return world_; }
  const TileSet& tiles() const { return tileBitmaps_; }
  const DataArchive* archive() const { return archive_.get(); }
  BITMAP* frame() const { return backBuffer_; }
  FormManager* forms() const { return formManager_.get(); }
  CommandContext& context() { return commandContext_; }

 private:
  // Escape or the close button: true when the editor may end (after the
  // question about unsaved changes).
  bool quitAsked();
  void drawMapArea();
  void handleMouseOverMapArea();
  // While the help is shown: any key or click closes it.
  void closeHelpOnInput();
  void releaseAll();

  MapDocument document_;
  EditorState state_;
  std::unique_ptr<DataArchive> archive_;
  TileSet tileBitmaps_;
  // What codes without a picture are drawn as, kept from pass to pass.
  TileCharacters tileCharacters_;
  BITMAP* backBuffer_ = nullptr;
  World world_;
  // The world picture of world_, drawn once after each fill and copied on
  // every WorldView pass.
  WorldPictureCache worldPicture_;
  WorldKeys worldKeys_;
  // The platform's services as the editor uses them: getpos with its
  // prompt on the path line, scripts that Escape and the close button stop.
  MapClickPrompt mapClickPrompt_;
  ScriptStopKeys scriptStopKeys_;
  Platform platform_;
  ScriptHost scriptHost_;
  CommandContext commandContext_;
  std::unique_ptr<FormManager> formManager_;
  Form* mainForm_ = nullptr;  // owned by formManager_
  // The tool buttons of the main form (which owns them).
  ToolBar toolBar_;
};

}  // namespace vek
