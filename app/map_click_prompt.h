#pragma once

// getpos in the editor: while a script waits for a click on the map, the
// path line says what it waits for and how to stop it.

#include "platform/platform.h"

namespace vek {

inline constexpr const char* kMapClickPrompt =
    "Click a cell of the map (Escape stops the script)";

// The platform's wait, with the prompt in place of the path line on the
// screen (the frozen frame) for as long as it lasts.
class MapClickPrompt : public PointerWait {
 public:
  explicit MapClickPrompt(PointerWait& wait) : wait_(wait) {}
  bool waitForLeftClick(int width, int height, int* x, int* y,
                        const std::function<bool()>& stopped) override;

 private:
  PointerWait& wait_;
};

}  // namespace vek
