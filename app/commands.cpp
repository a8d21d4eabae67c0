#include "app/commands.h"

#include <string>

#include "map/map_naming.h"
#include "script/generation_commands.h"
#include "script/world_transform.h"

namespace vek {
namespace {

CommandContext& contextOf(void* argument) { return *static_cast<CommandContext*>(argument); }

}  // namespace

void loadMap(CommandContext& context) {
  // No title: the dialog shows the platform's own ("Open").
  if (context.platform.files.chooseFile(nullptr, kMapExtension, context.currentPath,
                                        kPathCapacity)) {
    context.currentMap.load(context.currentPath);
  }
  context.mode = EditorMode::Edit;
}

void saveMap(CommandContext& context) {
  if (context.mode != EditorMode::Edit) return;
  if (context.currentMap.save(context.currentPath)) return;
  // A save that failed in silence would let the user quit believing the
  // map is safe.
  std::string message =
      context.currentPath[0] == '\0'
          ? std::string(kSaveWithoutFileMessage)
          : std::string(kSaveFailedMessage) + context.currentPath;
  context.platform.messages.showMessage(message.c_str());
}

void viewWorldMap(CommandContext& context) {
  context.world.open(folderPart(context.currentPath));
  context.world.loadWilderness();
  context.mode = EditorMode::WorldView;
}

void placeFeatureOnMap(CommandContext& context) {
  // The frozen frame that getpos shows, and what stays on the screen while
  // the script dialog is open, is this pass's frame.
  if (screen && context.backBuffer) {
    blit(context.backBuffer, screen, 0, 0, 0, 0, screen->w, screen->h);
  }
  placeFeature(context.currentMap, context.scriptHost);
}

void generateMapFromScript(CommandContext& context) {
  generateCurrentMap(context.currentMap, context.scriptHost);
}

void generateWorldFromScript(CommandContext& context) {
  generateWorldMap(context.currentPath, context.scriptHost, context.platform.messages);
  context.currentMap.load(context.currentPath);
}

void transformWorldFromScript(CommandContext& context) {
  WorldTransformResult result =
      transformWorldMap(context.currentPath, context.scriptHost, context.platform.messages);
  if (!result.scriptRan) return;
  context.currentMap.load(context.currentPath);
  if (context.mode == EditorMode::WorldView) viewWorldMap(context);
  if (!result.failedPaths.empty()) {
    std::string message = std::string(kTransformFailedMessage) +
                          std::to_string(result.failedPaths.size()) + ", first " +
                          result.failedPaths.front();
    context.platform.messages.showMessage(message.c_str());
  }
}

void onLoadClicked(void* context, void*) { loadMap(contextOf(context)); }
void onSaveClicked(void* context, void*) { saveMap(contextOf(context)); }
void onWorldMapClicked(void* context, void*) { viewWorldMap(contextOf(context)); }
void onPlaceFeatureClicked(void* context, void*) { placeFeatureOnMap(contextOf(context)); }
void onGenerateCurrentMapClicked(void* context, void*) {
  generateMapFromScript(contextOf(context));
}
void onGenerateWorldMapClicked(void* context, void*) {
  generateWorldFromScript(contextOf(context));
}
void onTransformWorldMapClicked(void* context, void*) {
  transformWorldFromScript(contextOf(context));
}

}  // namespace vek
