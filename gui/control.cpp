#include "gui/control.h"

#include <cstdint>

#include "gui/masked_picture.h"

namespace vek {

Control::Control(ControlKind kind, int x, int y, int width, int height)
    : kind(kind),
      x(x),
      y(y),
      width(width),
      height(height),
      font(::font),
      textColor(makecol(255, 255, 255)) {}

void Control::draw(BITMAP* target, int originX, int originY) {
  if (target == nullptr) return;
  const int left = originX + x;
  const int top = originY + y;
  if (borderColor > kNoColor) {
    rect(target, left - 1, top - 1, left + width, top + height, borderColor);
  }
  // An empty rectangle has nothing to fill; Allegro would swap the corners
  // and paint outside it.
  if (fillColor > kNoColor && width > 0 && height > 0) {
    rectfill(target, left, top, left + width - 1, top + height - 1, fillColor);
  }
  drawMaskedPicture(bitmap, target, left, top, width, height);
}

void Control::handleInput(InputSnapshot) {}

void Control::activate() {}

bool Control::contains(int originX, int originY, int px, int py) const {
  // 64-bit sums: a far-off control must not wrap around onto the mouse.
  const std::int64_t left = std::int64_t{originX} + x;
  const std::int64_t top = std::int64_t{originY} + y;
  return left <= px && px < left + width && top <= py && py < top + height;
}

}  // namespace vek
