#include "app/world_export.h"

#include <string>

#include "resources/tile_pictures.h"
#include "resources/world_picture_file.h"

namespace vek {

void exportWorldPicture(CommandContext& context) {
  if (context.state.mode != EditorMode::WorldView) return;
  TilePictures tiles;
  if (context.tileArchive) tiles.load(*context.tileArchive);
  std::string path = context.world.folder() + kWorldPictureFileName;
  std::string reason;
  std::string message =
      writeWorldPicture(context.world, tiles, WorldPictureOptions{}, path, reason)
          ? kWorldPictureWritten + path
          : kWorldPictureFailed + reason;
  context.platform.messages.showMessage(message.c_str());
}

void showWorldViewButtons(Form& form, EditorMode mode) {
  for (ControlEntry* entry = form.controls.get(); entry; entry = entry->next.get()) {
    if (std::string(entry->name) == "cmdExportPicture") {
      entry->control->visible = mode == EditorMode::WorldView;
    }
  }
}

}  // namespace vek
