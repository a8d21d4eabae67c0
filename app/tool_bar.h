#pragma once

// The tool buttons, in the free area right of the generation buttons: one
// per tool, the active one filled.

#include "app/command_context.h"
#include "app/editor_mode.h"
#include "gui/button.h"
#include "gui/form.h"

namespace vek {

struct ToolButton {
  const char* name;
  const char* caption;
  Tool tool;
  int key;  // Allegro's scancode of the key that chooses it
};

inline constexpr int kToolCount = 4;
extern const ToolButton kToolButtons[kToolCount];
// Where the column of tool buttons stands.
inline constexpr int kToolButtonX = 826, kToolButtonWidth = 40, kToolButtonHeight = 10;
inline constexpr int kToolButtonTop = 520, kToolButtonStep = 20;

class ToolBar {
 public:
  // Adds the buttons to form; each chooses its tool in context.
  void build(Form& form, CommandContext& context);
  // Fills the active tool's button, clears the others'. The world view,
  // where no tool works, shows none (EXPORT PICTURE stands there).
  void showActive(Tool active, EditorMode mode);

 private:
  Button* buttons_[kToolCount] = {};
};

}  // namespace vek
