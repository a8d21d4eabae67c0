#include "app/key_commands.h"

#include <allegro.h>

#include "app/close_button.h"
#include "app/commands.h"

namespace vek {
namespace {

// A tagged key: in Unicode's private use area, which no keyboard types.
constexpr int kTagBase = 0xE000;
constexpr int kTagShift = 0x100;
constexpr int kTagMask = 0xFF;

bool isCommandScancode(int scancode) {
  return scancode == KEY_Z || scancode == KEY_Y || scancode == KEY_S;
}

// Allegro's keyboard_ucallback, called as each key enters the buffer.
int tagCommandKey(int key, int* scancode) {
  int shifts = key_shifts;
  if (!(shifts & KB_CTRL_FLAG) || !isCommandScancode(*scancode)) return key;
  return kTagBase | ((shifts & KB_SHIFT_FLAG) ? kTagShift : 0) | *scancode;
}

void runCommandKey(CommandContext& context, int scancode, bool shift) {
  switch (scancode) {
    case KEY_Z:
      shift ? redoChange(context) : undoChange(context);
      break;
    case KEY_Y:
      redoChange(context);
      break;
    case KEY_S:
      shift ? saveMapAs(context) : saveMap(context);
      break;
    default:
      break;
  }
}

}  // namespace

void installCommandKeys() { keyboard_ucallback = tagCommandKey; }

void removeCommandKeys() {
  if (keyboard_ucallback == tagCommandKey) keyboard_ucallback = nullptr;
}

void handleCommandKeys(CommandContext& context) {
  while (keypressed()) {
    int scancode = 0;
    int key = ureadkey(&scancode);
    // A short press of Escape may fall between two passes' look at its state.
    if (scancode == KEY_ESC) requestClose();
    if ((key & ~(kTagShift | kTagMask)) != kTagBase) continue;
    runCommandKey(context, key & kTagMask, (key & kTagShift) != 0);
  }
}

}  // namespace vek
