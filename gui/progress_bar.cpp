#include "gui/progress_bar.h"

#include <algorithm>
#include <optional>

namespace vek {

namespace {

// The share of the rectangle the bar covers; none while the value is at or
// below minimum. The range is taken as minimum..max(maximum, minimum), so the
// divisor is at least 1. The share may still be 0 or negative when minimum is
// negative; the caller keeps such a bar inside the rectangle.
std::optional<double> barShare(int minimum, int maximum, int value) {
  const double lowest = minimum;
  const double highest = std::max(maximum, minimum);
  const double shown = std::clamp(static_cast<double>(value), lowest, highest);
  if (shown <= lowest) return std::nullopt;
  return shown / (highest - lowest + 1.0);
}

// A coordinate computed in double precision, held in [low, high] before it is
// truncated toward zero (so the conversion cannot overflow).
int truncatedWithin(double coordinate, int low, int high) {
  return static_cast<int>(std::clamp(coordinate, static_cast<double>(low),
                                     static_cast<double>(high)));
}

}  // namespace

ProgressBar::ProgressBar(int x, int y, int width, int height)
    : Control(kKind, x, y, width, height), barColor(makecol(255, 255, 255)) {
  borderColor = makecol(255, 255, 255);
}

void ProgressBar::draw(BITMAP* target, int originX, int originY) {
  Control::draw(target, originX, originY);
  if (target == nullptr || barColor < 0 || width <= 0 || height <= 0) return;
  const std::optional<double> share = barShare(minimum, maximum, value);
  if (!share) return;
  const int left = originX + x;
  const int top = originY + y;
  const int right = left + width - 1;
  const int bottom = top + height - 1;
  if (orientation == Horizontal) {
    // Last column of the bar; one column left of the rectangle means none.
    const int barRight = truncatedWithin(width * *share + left, left - 1, right);
    if (barRight >= left) rectfill(target, left, top, barRight, bottom, barColor);
  } else if (orientation == Vertical) {
    // First row of the bar; one row below the rectangle means none.
    const int barTop = truncatedWithin(height - height * *share + top, top, bottom + 1);
    if (barTop <= bottom) rectfill(target, left, barTop, right, bottom, barColor);
  }
}

}  // namespace vek
