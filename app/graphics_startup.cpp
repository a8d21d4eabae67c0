#include "app/graphics_startup.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

#include "app/screen_layout.h"

namespace vek {

bool startAllegro() {
  if (allegro_init() != 0) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, kNoDisplayHelp,
                 display && *display ? display : "not set");
    return false;
  }
  install_keyboard();
  // Escape and the close button are the ways out: Allegro's own Ctrl+Alt+End
  // would end the program abruptly, outside the main loop.
  three_finger_flag = FALSE;
  install_timer();
  return true;
}

int chooseScreenMode(const std::function<bool(int depth)>& trySetMode, MessageBox& messages) {
  for (int depth : kScreenDepths) {
    if (trySetMode(depth)) return depth;
  }
  messages.showMessage(kScreenModeFailure);
  return 0;
}

bool setWindowedMode(int depth) {
  set_color_depth(depth);
  return set_gfx_mode(GFX_AUTODETECT_WINDOWED, layout::kScreenWidth, layout::kScreenHeight, 0,
                      0) == 0;
}

void finishWindowStartUp() {
  install_mouse();
  set_window_title(kWindowTitle);
}

}  // namespace vek
