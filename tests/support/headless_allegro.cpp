#include "headless_allegro.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace vek::test {

void startHeadlessAllegro() {
  static bool started = false;
  if (started) return;
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::fprintf(stderr, "Allegro failed to start headless: %s\n", allegro_error);
    std::abort();
  }
  started = true;
}

namespace {
int noKeyWaiting() { return 0; }
int noKey() { return 0; }
}  // namespace

void useHeadlessKeyboard() {
  startHeadlessAllegro();
  install_keyboard_hooks(noKeyWaiting, noKey);
}

void useColorDepth(int bitsPerPixel) {
  startHeadlessAllegro();
  set_color_depth(bitsPerPixel);
}

void putMouse(int x, int y, int buttons) {
  mouse_x = x;
  mouse_y = y;
  mouse_b = buttons;
}

void resetInput() {
  putMouse(0, 0, 0);
  for (int code = 0; code < KEY_MAX; ++code) key[code] = 0;
  clear_keybuf();
}

void typeKeys(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) simulate_keypress(static_cast<unsigned char>(*c));
}

}  // namespace vek::test
