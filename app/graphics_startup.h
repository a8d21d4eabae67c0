#pragma once

// Allegro and the editor's window: the system, the keyboard and timer, the
// 1000 x 700 windowed mode at the first colour depth of 16, 24 and 32 that
// works, the mouse and the window title.

#include <functional>

#include "platform/platform.h"

namespace vek {

inline constexpr const char* kWindowTitle = "VEK Map Editor";
inline constexpr const char* kScreenModeFailure =
    "Your video card does not support a screen size of 1000x700 with 16, 24, or 32 bits per "
    "pixel.  This program will now exit.";
// Shown on standard error when Allegro cannot start at all, which on Linux
// means there is no X display to open a window on.
inline constexpr const char* kNoDisplayHelp =
    "vekedit: cannot open a window: no X display is available (DISPLAY is %s).\n"
    "Run the editor in a desktop session, or under a virtual display:\n"
    "  xvfb-run -a -s '-screen 0 1280x1024x24' vekedit\n";

// The colour depths tried, in order.
inline constexpr int kScreenDepths[] = {16, 24, 32};

// allegro_init, install_keyboard (without Allegro's Ctrl+Alt+End exit),
// install_timer. False when Allegro cannot start (no display); the help text
// has then been printed.
bool startAllegro();

// Tries each depth of kScreenDepths with trySetMode until one works and
// gives it; when none does, shows kScreenModeFailure on messages and gives 0.
int chooseScreenMode(const std::function<bool(int depth)>& trySetMode, MessageBox& messages);

// set_color_depth(depth), then the 1000 x 700 windowed mode.
bool setWindowedMode(int depth);

// install_mouse (its result does not matter: the editor runs without one)
// and the window title.
void finishWindowStartUp();

}  // namespace vek
