#pragma once

#include <allegro.h>

namespace vek {

// The mouse and keyboard as the form manager saw them at the end of its
// previous update. Comparing it with Allegro's live globals tells a new press
// of a button from one that is held.
struct InputSnapshot {
  int mouseButtons = 0;     // mouse_b: bit 0 left, bit 1 right, bit 2 middle
  int mouseX = 0;           // mouse_x
  int mouseY = 0;           // mouse_y
  char keys[KEY_MAX] = {};  // copy of Allegro's key array, one byte per key code
};

// Allegro's mouse and key globals as they are now.
InputSnapshot captureInput();

// True when the left button is down now (mouse_b is read afresh) and was up
// in the snapshot: the button went down since the snapshot was taken.
bool leftButtonPressedSince(const InputSnapshot& before);

}  // namespace vek
