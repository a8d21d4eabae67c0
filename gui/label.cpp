#include "gui/label.h"

#include "gui/text_buffer.h"

namespace vek {

Label::Label(int x, int y, int width, int height) : Control(kKind, x, y, width, height) {}

void Label::draw(BITMAP* target, int originX, int originY) {
  Control::draw(target, originX, originY);
  drawCaptionText(target, font, terminated(caption), originX + x, originY + y, width, height,
                  alignment, textColor);
}

void Label::setCaption(const char* text) { copyCut(caption, text); }

}  // namespace vek
