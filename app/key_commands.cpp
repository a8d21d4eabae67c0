#include "app/key_commands.h"

#include <allegro.h>

#include "app/close_button.h"
#include "app/commands.h"
#include "app/tool_bar.h"

namespace vek {
namespace {

// A tagged key: in Unicode's private use area, which no keyboard types.
constexpr int kTagBase = 0xE000;
constexpr int kTagShift = 0x100;
constexpr int kTagMask = 0xFF;

// Allegro's keyboard_ucallback, called as each key enters the buffer.
int tagCommandKey(int key, int* scancode) {
  int shifts = key_shifts;
  if (!(shifts & KB_CTRL_FLAG)) return key;
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
    case KEY_C:
      context.state.tools.copySelection(context.document.map());
      break;
    case KEY_X:
      context.state.tools.cutSelection(context.document);
      break;
    case KEY_V:
      context.state.tools.startPaste();
      break;
    default:
      break;
  }
}

// Escape ends the first thing under way: a drag, the paste preview, the
// selection, then the placing of a teleport. With none, the editor is
// asked to end, as by the window's close button.
void endWhatIsUnderWay(CommandContext& context) {
  EditorState& state = context.state;
  if (state.tools.cancel(context.document)) return;
  if (state.mode == EditorMode::PlaceTeleport) {
    state.mode = EditorMode::Edit;
    return;
  }
  requestClose();
}

// A key pressed without Ctrl.
void runPlainKey(CommandContext& context, int scancode) {
  EditorState& state = context.state;
  for (const ToolButton& tool : kToolButtons) {
    if (scancode == tool.key) state.tools.choose(tool.tool, context.document);
  }
  switch (scancode) {
    case KEY_DEL:
      state.tools.deleteSelection(context.document);
      break;
    case KEY_F1:
      state.help.show();
      break;
    case KEY_ESC:
      endWhatIsUnderWay(context);
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
    if ((key & ~(kTagShift | kTagMask)) != kTagBase) {
      runPlainKey(context, scancode);
    } else {
      runCommandKey(context, key & kTagMask, (key & kTagShift) != 0);
    }
  }
}

}  // namespace vek
