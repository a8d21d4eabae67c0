#pragma once

// The main form "frmMain": the editor's command buttons over the whole
// screen.

#include "app/command_context.h"
#include "gui/button.h"
#include "gui/form_manager.h"

namespace vek {

inline constexpr const char* kMainFormName = "frmMain";

struct MainFormButton {
  const char* name;
  const char* caption;
  int x, y, width, height;
  void (*command)(CommandContext& context);
};

// The buttons in the order they are added to the form: the six of the
// original screen, then those added since in its free area.
inline constexpr int kMainFormButtonCount = 11;
extern const MainFormButton kMainFormButtons[kMainFormButtonCount];

// Adds "frmMain" at (0, 0) with the given size (the screen's) to manager,
// and to it the buttons, each running its command on context. Gives the
// form; null when it could not be made.
Form* buildMainForm(FormManager& manager, CommandContext& context, int width, int height);

}  // namespace vek
