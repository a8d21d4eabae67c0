#pragma once

#include <functional>

#include "platform/platform.h"

namespace vek {

// The wait for a click on the frozen frame, on Allegro's screen and mouse:
// a snapshot of the screen is put back on the screen with the pointer drawn
// into it whenever the pointer has moved, and the mouse is read once per
// pass until a reading has the left button down inside the area. A pass
// that finds the mouse as it was rests a few milliseconds first, so the
// wait takes next to no processor time. When no snapshot can be made the
// pointer is shown on the screen itself and the wait goes on the same way,
// only without the frozen frame.
class AllegroPointerWait : public PointerWait {
 public:
  AllegroPointerWait() = default;
  // beforeEachReading runs on every pass just before the mouse is read;
  // tests move the pointer through it.
  explicit AllegroPointerWait(std::function<void()> beforeEachReading)
      : beforeEachReading_(std::move(beforeEachReading)) {}

  bool waitForLeftClick(int width, int height, int* x, int* y,
                        const std::function<bool()>& stopped) override;

 private:
  std::function<void()> beforeEachReading_;
};

}  // namespace vek
