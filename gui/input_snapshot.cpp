#include "gui/input_snapshot.h"

namespace vek {

namespace {
constexpr int kLeftButton = 1;
}

InputSnapshot captureInput() {
  InputSnapshot now;
  now.mouseButtons = mouse_b;
  now.mouseX = mouse_x;
  now.mouseY = mouse_y;
  // key is volatile (Allegro's input handler writes it), so copy byte by byte.
  for (int code = 0; code < KEY_MAX; ++code) now.keys[code] = key[code];
  return now;
}

bool leftButtonPressedSince(const InputSnapshot& before) {
  return (mouse_b & kLeftButton) != 0 && (before.mouseButtons & kLeftButton) == 0;
}

}  // namespace vek
