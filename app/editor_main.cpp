#include "app/editor_main.h"

#include "app/close_button.h"
#include "app/display_loss.h"
#include "app/editor_app.h"
#include "app/graphics_startup.h"

#include <string>

namespace vek {

int runEditor(const Platform& platform, const EditorOptions& options) {
  EditorApp app(platform);
  if (!startAllegro()) return 1;
  if (chooseScreenMode(setWindowedMode, platform.messages) == 0) return 0;
  finishWindowStartUp();
  installCloseButtonHandler();
  endAtOnceWithoutDisplay();

  std::string archive = chooseTileArchive(options);
  app.startUp(archive.c_str(), options.mapFile);
  app.runMainLoop();
  app.shutDown();
  removeCloseButtonHandler();
  return 0;
}

}  // namespace vek
