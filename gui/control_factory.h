#pragma once

#include <memory>

#include "gui/control.h"

namespace vek {

// A new control of the class that kind names, with that rectangle and the
// class's defaults; null for a kind outside 1..5 or when memory runs out.
std::unique_ptr<Control> createControl(ControlKind kind, int x, int y, int width, int height);

}  // namespace vek
