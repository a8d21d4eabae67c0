#pragma once

#include "gui/caption_text.h"
#include "gui/control.h"

namespace vek {

// A one-line text field. While focused it takes every key waiting in
// Allegro's key buffer: backspace removes the last character, printable
// ASCII (32..126) is appended up to the limits, every other key is dropped.
// It keeps the focus after Enter and draws no caret.
class TextBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::TextBox;
  static constexpr int kTextCapacity = 1024;  // 1023 characters and the NUL
  static constexpr int kMaxTextLength = kTextCapacity - 1;

  // A white frame, empty text, AlignLeft, maxLength 1023.
  TextBox(int x, int y, int width, int height);

  // The common part, then the text, vertically centred and aligned.
  void draw(BITMAP* target, int originX, int originY) override;
  // Consumes the waiting keys when focused; the snapshot is not used.
  void handleInput(InputSnapshot snapshot) override;
  // Gives the text box the keyboard focus.
  void activate() override;

  // Copies text into the box, cut to 1023 characters (maxLength only limits
  // typing).
  void setText(const char* newText);

  char text[kTextCapacity] = {};
  int alignment = AlignLeft;        // an Alignment code
  int maxLength = kMaxTextLength;   // most characters typing may reach; 0 or less: none
};

}  // namespace vek
