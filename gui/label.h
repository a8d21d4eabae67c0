#pragma once

#include "gui/caption_text.h"
#include "gui/control.h"

namespace vek {

// A rectangle with a caption placed by its alignment; takes no input.
class Label : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::Label;
  static constexpr int kCaptionCapacity = 256;  // 255 characters and the NUL

  // No frame, an empty caption, AlignLeft.
  Label(int x, int y, int width, int height);

  // The common part, then the caption, vertically centred and aligned.
  void draw(BITMAP* target, int originX, int originY) override;

  // Copies text into caption, cut to 255 characters.
  void setCaption(const char* text);

  char caption[kCaptionCapacity] = {};
  int alignment = AlignLeft;  // an Alignment code
};

}  // namespace vek
