#pragma once

#include <functional>

#include "gui/control.h"

namespace vek {

// What a button calls when it fires: onClick(onClickArg1, onClickArg2). The
// result is not used. The editor passes its CommandContext* as the first
// argument (any object pointer converts to void*) and null as the second.
using ClickHandler = void (*)(void* arg1, void* arg2);

// A framed rectangle with a centred caption that fires its handler when the
// left mouse button goes down on it.
class Button : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::Button;
  static constexpr int kCaptionCapacity = 256;  // 255 characters and the NUL

  // A white frame, no handler, an empty caption.
  Button(int x, int y, int width, int height);

  // The common part, then the caption centred both ways.
  void draw(BITMAP* target, int originX, int originY) override;
  // Fires when the button is armed (focused) and the left button went down
  // since the snapshot: calls the handler, if any, then disarms the button.
  void handleInput(InputSnapshot snapshot) override;
  // Arms the button.
  void activate() override;

  // Copies text into caption, cut to 255 characters.
  void setCaption(const char* text);

  // A typed handler, called instead of onClick when set.
  std::function<void()> onPress;
  ClickHandler onClick = nullptr;
  void* onClickArg1 = nullptr;
  void* onClickArg2 = nullptr;
  char caption[kCaptionCapacity] = {};
};

}  // namespace vek
