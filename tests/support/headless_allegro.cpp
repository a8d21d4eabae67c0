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

}  // namespace vek::test
