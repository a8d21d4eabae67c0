#pragma once

#include "gui/control.h"

namespace vek {

// A plain rectangle: frame, fill and picture, no text and no input.
class Panel : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::Panel;

  Panel(int x, int y, int width, int height) : Control(kKind, x, y, width, height) {}
};

}  // namespace vek
