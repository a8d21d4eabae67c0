#pragma once

#include "gui/control.h"

namespace vek {

// Growth direction of a progress bar; any other value draws no bar.
enum Orientation : int {
  Horizontal = 1,  // from the left edge to the right
  Vertical = 2,    // from the bottom edge upwards
};

// A framed rectangle with a bar showing value within minimum..maximum.
//
// The bar's share is value / (maximum - minimum + 1): the numerator is the
// value itself, not its distance from minimum, so with the default 0..100 a
// full value fills a control up to 101 pixels wide and value 1 shows one
// pixel. The bar never leaves the rectangle: the value is held inside the
// range, an empty or inverted range (maximum < minimum) counts as the single
// value minimum, and a share above 1 fills the whole rectangle. No bar shows
// while the value is at or below minimum.
class ProgressBar : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::ProgressBar;

  // A white frame, range 0..100, value 0, Horizontal, a white bar.
  ProgressBar(int x, int y, int width, int height);

  // The common part, then the bar.
  void draw(BITMAP* target, int originX, int originY) override;

  int minimum = 0;
  int maximum = 100;
  int value = 0;
  int orientation = Horizontal;  // an Orientation code
  int barColor;
};

}  // namespace vek
