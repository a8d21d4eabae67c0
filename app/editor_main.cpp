#include "app/editor_main.h"

#include "app/close_button.h"
#include "app/editor_app.h"
#include "app/graphics_startup.h"

namespace vek {

int runEditor(const Platform& platform) {
  EditorApp app(platform);
  if (!startAllegro()) return 1;
  if (chooseScreenMode(setWindowedMode, platform.messages) == 0) return 0;
  finishWindowStartUp();
  installCloseButtonHandler();

  app.startUp();
  app.runMainLoop();
  app.shutDown();
  removeCloseButtonHandler();
  return 0;
}

}  // namespace vek
