#pragma once

// The editor's own mouse handling on the map area, the palette and the
// teleport list, once per pass. Buttons of the main form are handled apart,
// by the form manager.
//
// Allegro's live mouse_x, mouse_y and mouse_b are read as they are (bit 0
// left, bit 1 right, bit 2 middle).

#include "app/command_context.h"

namespace vek {

inline constexpr const char* kTeleportDialogTitle = "Select destination map for teleport";

// A chosen destination file name of this many characters or fewer is
// refused; longer ones lose this many (the extension ".MAP").
inline constexpr int kMapExtensionLength = 4;

// While the mouse is over the map area in Edit or PlaceTeleport, each pass
// with the right button held makes the tile under the mouse the selected
// one. No latch, no mode change; in WorldView nothing.
void pickTileWithRightButton(CommandContext& context);

// A left or a middle press, acted on once per press through the mouse latch
// (painting in Edit clears the latch again, so a held button paints on every
// pass), then the latch released when no button is held.
//
// Left, in this order: the palette selects a tile (mode Edit); the map area
// paints (Edit; the stroke from press to release is one undo step), places
// the chosen teleport (PlaceTeleport, then Edit) or opens the wilderness map
// under the mouse (WorldView, then Edit); "+" asks for a teleport
// destination (mode PlaceTeleport if one was chosen, else Edit); a "-"
// removes its teleport (mode Edit).
//
// Middle, in Edit over the map area: follows the first teleport on the
// cell, or on a wilderness map without one enters the cell's local map
// (kind Local, even when its file does not exist yet). A map whose file does
// not exist yet starts empty, without teleports. A path that would not fit
// the path buffer changes neither path nor map.
void handleMousePress(CommandContext& context);

}  // namespace vek
