#pragma once

// The commands of the main form's buttons and the editor's keys. Each runs
// to its end inside the pass that saw its button or key; its dialogs and
// scripts hold the main loop meanwhile.

#include <string>

#include "app/command_context.h"

namespace vek {

// The extension the map dialogs list.
inline constexpr const char* kMapExtension = "MAP";

// What SAVE shows when the map could not be written: the first when there
// is no path at all (no map was chosen at start), the second followed by the
// path otherwise.
inline constexpr const char* kSaveWithoutFileMessage =
    "The map was not saved: it has no file yet. Open one with LOAD or from the world map view.";
inline constexpr const char* kSaveFailedMessage = "The map could not be saved to ";
// What an opening that failed shows, followed by "PATH: REASON".
inline constexpr const char* kOpenFailedMessage = "The map could not be opened: ";

// Whether an opening first asks about unsaved changes.
enum class AskFirst { Yes, No };

// Opens path through the document, after asking about unsaved changes
// (Cancel opens nothing); when it cannot be opened, says which file and why
// and leaves map, path and history as they were. Gives whether it opened.
bool openMap(CommandContext& context, const std::string& path,
             OpenedKind kind = OpenedKind::AsFile, AskFirst ask = AskFirst::Yes);

// LOAD: the map dialog on the current path; a confirmed file is opened.
// The mode becomes Edit either way.
void loadMap(CommandContext& context);
// SAVE: in Edit, writes the current map to the current path, and says so
// when that fails (the earlier file then stays as it was); in any other mode
// nothing happens at all.
void saveMap(CommandContext& context);
// SAVE AS: in Edit, the save dialog for a new or existing .MAP file (an
// existing one is replaced only after asking); the map is written there and
// that becomes its path. A failed write says so and changes nothing.
void saveMapAs(CommandContext& context);
// A path in a dialog's buffer, cut to its capacity.
void copyPath(const std::string& path, char (&buffer)[kPathCapacity]);
// Whether a file chosen in a save dialog may be written: yes when it does
// not exist yet, else when the question to replace it says Replace.
bool mayReplaceFile(CommandContext& context, const char* path);
inline constexpr const char* kReplaceQuestion = " already exists. Replace it?";
// UNDO and REDO: one step of the document's history, in Edit and
// PlaceTeleport (the world view does not show the map).
void undoChange(CommandContext& context);
void redoChange(CommandContext& context);
// VIEW WORLD MAP: fills the world grid from the folder of the current path
// and shows the world picture.
void viewWorldMap(CommandContext& context);
// PLACE FEATURE: shows this pass's frame on the screen, then runs a feature
// script over the current map, as one undo step.
void placeFeatureOnMap(CommandContext& context);
// GENERATE CURRENT MAP: runs a script that makes the current map from
// nothing, as one undo step.
void generateMapFromScript(CommandContext& context);
// GENERATE WORLD MAP: runs a script that writes the 400 wilderness maps of
// the current path's folder, then opens the current map again from its
// path, since it may be one of them, when any file was written.
void generateWorldFromScript(CommandContext& context);
// TRANSFORM WORLD MAP: runs a world script over the wilderness maps of the
// current path's folder, writes the maps it changed, then opens the current
// map again and, in the world view, reads the world afresh.
void transformWorldFromScript(CommandContext& context);
// What GENERATE WORLD MAP shows when the world could not be written. A world
// write is all or nothing: its first failure says why nothing was written.
inline constexpr const char* kWorldNotWrittenMessage = "No map was changed. Cannot write ";
// What TRANSFORM WORLD MAP shows when maps could not be written: the count
// follows, then the first of their paths and the reason.
inline constexpr const char* kTransformFailedMessage = "Maps not written: ";

}  // namespace vek
