#include "app/world_export.h"

#include <string>

#include "app/commands.h"
#include "resources/tile_pictures.h"
#include "resources/world_picture_file.h"

namespace vek {

void exportWorldPicture(CommandContext& context) {
  if (context.state.mode != EditorMode::WorldView) return;
  TilePictures tiles;
  if (context.tileArchive) tiles.load(*context.tileArchive);
  char chosen[kPathCapacity];
  copyPath(context.world.folder() + kWorldPictureFileName, chosen);
  if (!context.platform.files.chooseNewFile(nullptr, kWorldPictureExtension, chosen,
                                            kPathCapacity)) {
    return;
  }
  std::string path = chosen;
  if (!mayReplaceFile(context, chosen)) return;
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
