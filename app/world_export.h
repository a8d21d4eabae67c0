#pragma once

// EXPORT PICTURE, in the world view only: the world the view shows as one
// picture file, every cell its tile picture (17,280 x 9,600 pixels, PNG).

#include "app/command_context.h"
#include "app/editor_mode.h"
#include "gui/form.h"

namespace vek {

// The file the save dialog offers first, in the world's folder, and the
// extension it lists.
inline constexpr const char* kWorldPictureFileName = "WORLD.png";
inline constexpr const char* kWorldPictureExtension = "png";
// What EXPORT PICTURE says: the first followed by the path, the second by
// the reason.
inline constexpr const char* kWorldPictureWritten = "The world picture was written to ";
inline constexpr const char* kWorldPictureFailed = "The world picture was not written: ";

// Asks for the file (replacing one asks first), writes the picture of the
// world view's world with the tile pictures of
// the editor's archive, and says where it went or why it failed.
void exportWorldPicture(CommandContext& context);

// Shows the EXPORT PICTURE button of form only in the world view.
void showWorldViewButtons(Form& form, EditorMode mode);

}  // namespace vek
