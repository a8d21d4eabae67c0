#pragma once

// The commands of the main form's buttons. Each runs to its end inside
// the pass whose form update saw its button pressed; its dialogs and scripts
// hold the main loop meanwhile.

#include "app/command_context.h"

namespace vek {

// The extension the map dialogs list.
inline constexpr const char* kMapExtension = "MAP";

// LOAD: the map dialog on the current path; a confirmed file is loaded.
// The mode becomes Edit either way.
void loadMap(CommandContext& context);
// What SAVE shows when the map could not be written: the first when there
// is no path at all (no map was chosen at start), the second followed by the
// path otherwise.
inline constexpr const char* kSaveWithoutFileMessage =
    "The map was not saved: it has no file yet. Open one with LOAD or from the world map view.";
inline constexpr const char* kSaveFailedMessage = "The map could not be saved to ";

// SAVE: in Edit, writes the current map to the current path, and says so
// when that fails (the earlier file then stays as it was); in any other mode
// nothing happens at all.
void saveMap(CommandContext& context);
// VIEW WORLD MAP: fills the world grid from the folder of the current path
// and shows the world picture.
void viewWorldMap(CommandContext& context);
// PLACE FEATURE: shows this pass's frame on the screen, then runs a feature
// script over the current map.
void placeFeatureOnMap(CommandContext& context);
// GENERATE CURRENT MAP: runs a script that makes the current map from
// nothing.
void generateMapFromScript(CommandContext& context);
// GENERATE WORLD MAP: runs a script that writes the 400 wilderness maps of
// the current path's folder, then loads the current map again from its
// path, since it may be one of them.
void generateWorldFromScript(CommandContext& context);

// TRANSFORM WORLD MAP: runs a world script over the wilderness maps of the
// current path's folder, writes the maps it changed, then loads the current
// map again and, in the world view, reads the world afresh.
void transformWorldFromScript(CommandContext& context);
// What TRANSFORM WORLD MAP shows when maps could not be written: the count
// follows, then the first of their paths.
inline constexpr const char* kTransformFailedMessage = "Maps not written: ";

// The same as click handlers: arg1 is the CommandContext, arg2 unused.
void onLoadClicked(void* context, void* unused);
void onSaveClicked(void* context, void* unused);
void onWorldMapClicked(void* context, void* unused);
void onPlaceFeatureClicked(void* context, void* unused);
void onGenerateCurrentMapClicked(void* context, void* unused);
void onGenerateWorldMapClicked(void* context, void* unused);
void onTransformWorldMapClicked(void* context, void* unused);

}  // namespace vek
