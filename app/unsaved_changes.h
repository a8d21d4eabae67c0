#pragma once

// The question before unsaved changes would be lost: quitting, opening
// another map, or rewriting the map's folder.

#include <string>

#include "app/command_context.h"

namespace vek {

// "Save changes to NAME?", NAME the map file's name; a map without a file
// is named by kUnnamedMap and offers only Discard and Cancel.
inline constexpr const char* kSaveChangesQuestion = "Save changes to %s?";
inline constexpr const char* kUnnamedMap = "the new map (it has no file yet)";

// True when the map's changes may go: it has none, the platform asks
// nothing, or the answer is Save (and the save worked) or Discard. False
// for Cancel, or a Save that failed (which says so).
bool mayDiscardChanges(CommandContext& context);

// The question's text for the current map.
std::string saveChangesQuestion(const MapDocument& document);

}  // namespace vek
