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

#include "app/command_context.h"
#include "app/editor_mode.h"
#include "app/tile_characters.h"
#include "app/world_keys.h"
#include "app/world_picture_cache.h"
#include "gui/form_manager.h"
#include "map/map.h"
#include "map/map_naming.h"
#include "map/world.h"
#include "platform/platform.h"
#include "resources/data_archive.h"
#include "resources/tile_set.h"
#include "script/script_host.h"

namespace vek {

inline constexpr TileCode kInitialSelectedTile = 250;

class EditorApp {
 public:
  // The initial state: empty path and names, mode Edit, tile 250, latch
  // clear, an empty wilderness map. Touches no Allegro state.
  explicit EditorApp(const Platform& platform);
  // Releases whatever shutDown has not; Allegro must still be installed.
  ~EditorApp();
  EditorApp(const EditorApp&) = delete;
  EditorApp& operator=(const EditorApp&) = delete;

  // Start-up after the screen mode is set, in this order: the main form,
  // the archive, the back buffer, the first map, the tile pictures.
  void startUp(const char* archiveName = kTileArchiveName);
  void buildMainForm();
  void openArchive(const char* archiveName);
  void createBackBuffer();
  // The map dialog on the (empty) current path, then the current map made
  // afresh and loaded from whatever the path holds: a cancelled dialog
  // leaves an empty path and an empty wilderness map.
  void askForFirstMap();
  void loadTilePictures();

  // One pass of the main loop: the whole frame drawn into the back buffer,
  // the mouse handled, the main form drawn and its buttons run, the pointer
  // drawn and the frame put on the screen in one blit. False when Escape
  // (or the window's close button) asks the loop to end; the pass that saw
  // it has still completed.
  bool runPass();
  // Passes until one returns false.
  void runMainLoop();
  // The current map, then the archive, then the form, pictures and back
  // buffer.
  void shutDown();

  // The editor's state.
  char currentPath[kPathCapacity] = {};
  EditorMode mode = EditorMode::Edit;
  TileCode selectedTile = kInitialSelectedTile;
  bool mouseLatch = false;  // a left or middle press has been acted on
  Map currentMap;
  std::unique_ptr<DataArchive> archive;
  TileSet tileBitmaps;
  // What codes without a picture are drawn as, kept from pass to pass.
  TileCharacters tileCharacters;
  BITMAP* backBuffer = nullptr;
  World world;
  // The world picture of world, drawn once after each fill and copied
  // on every WorldView pass.
  WorldPictureCache worldPicture;
  // Whether the world view draws the lines between its maps (G toggles).
  bool worldGridLines = true;
  WorldKeys worldKeys;
  char teleportDestination[kPathCapacity] = {};
  char dialogPath[kPathCapacity] = {};
  // Empty until a middle press first finds a dot in the current file name.
  WildernessCode wildernessCode;
  Platform platform;
  ScriptHost scriptHost;
  CommandContext commandContext;
  std::unique_ptr<FormManager> formManager;

 private:
  void drawMapArea();
  void handleMouseOverMapArea();
  void releaseAll();
};

}  // namespace vek
