#include "app/tool_bar.h"

#include <allegro.h>

namespace vek {

const ToolButton kToolButtons[kToolCount] = {
    {"cmdToolPencil", "PEN", Tool::Pencil, KEY_P},
    {"cmdToolFill", "FILL", Tool::Fill, KEY_F},
    {"cmdToolRectangle", "RECT", Tool::Rectangle, KEY_R},
    {"cmdToolSelect", "SEL", Tool::Select, KEY_S},
};

void ToolBar::build(Form& form, CommandContext& context) {
  for (int i = 0; i < kToolCount; ++i) {
    const ToolButton& entry = kToolButtons[i];
    Button* button = form.add<Button>(entry.name, kToolButtonX, kToolButtonTop + i * kToolButtonStep,
                                      kToolButtonWidth, kToolButtonHeight);
    buttons_[i] = button;
    if (!button) continue;
    button->setCaption(entry.caption);
    Tool tool = entry.tool;
    button->onPress = [tool, &context] { context.state.tools.choose(tool, context.document); };
  }
}

void ToolBar::showActive(Tool active, EditorMode mode) {
  int fill = makecol(0, 96, 192);
  for (int i = 0; i < kToolCount; ++i) {
    if (!buttons_[i]) continue;
    buttons_[i]->fillColor = kToolButtons[i].tool == active ? fill : kNoColor;
    buttons_[i]->visible = mode != EditorMode::WorldView;
  }
}

}  // namespace vek
