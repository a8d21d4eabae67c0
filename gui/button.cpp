#include "gui/button.h"

#include "gui/caption_text.h"
#include "gui/text_buffer.h"

namespace vek {

Button::Button(int x, int y, int width, int height) : Control(kKind, x, y, width, height) {
  borderColor = makecol(255, 255, 255);
}

void Button::draw(BITMAP* target, int originX, int originY) {
  Control::draw(target, originX, originY);
  drawCaptionText(target, font, terminated(caption), originX + x, originY + y, width, height,
                  AlignCenter, textColor);
}

void Button::handleInput(InputSnapshot snapshot) {
  if (!focused || !leftButtonPressedSince(snapshot)) return;
  if (onPress) {
    onPress();
  } else if (onClick != nullptr) {
    onClick(onClickArg1, onClickArg2);
  }
  focused = false;
}

void Button::activate() { focused = true; }

void Button::setCaption(const char* text) { copyCut(caption, text); }

}  // namespace vek
