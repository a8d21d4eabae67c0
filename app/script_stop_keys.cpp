#include "app/script_stop_keys.h"

#include <allegro.h>

#include <atomic>

#include "app/close_button.h"

namespace vek {
namespace {

// Allegro's callbacks take no argument, so the stop they serve can only
// live here, for the time of one run.
std::atomic<ScriptStop*> watched{nullptr};
void (*keyCallbackBefore)(int) = nullptr;

void stopWatched() {
  if (ScriptStop* stop = watched.load()) stop->request();
}

// Every press, the key's repeats included, asks again (a release has the
// top bit set).
void onKeyEvent(int scancode) {
  if (scancode == KEY_ESC) stopWatched();
  if (keyCallbackBefore) keyCallbackBefore(scancode);
}

}  // namespace

void ScriptStopKeys::watch(ScriptStop& stop) {
  watched.store(&stop);
  keyCallbackBefore = keyboard_lowlevel_callback;
  keyboard_lowlevel_callback = onKeyEvent;
  if (system_driver) set_close_button_callback(stopWatched);
}

void ScriptStopKeys::unwatch() {
  keyboard_lowlevel_callback = keyCallbackBefore;
  keyCallbackBefore = nullptr;
  // Where no close button handler can be installed, none was.
  if (system_driver) installCloseButtonHandler();
  watched.store(nullptr);
  // The Escape that stopped the script is still in the key buffer and may
  // still be down: neither may end the editor.
  clear_keybuf();
  key[KEY_ESC] = 0;
}

}  // namespace vek
