#pragma once

// Escape and the window's close button stop a running script. While a
// script is built and run, both ask its host to stop (from Allegro's input
// thread, as the key goes down), and the close button stops the script
// rather than the editor. Afterwards the Escape of the stop is forgotten,
// so it does not also end the editor.

#include "script/script_stop.h"

namespace vek {

class ScriptStopKeys : public StopWatch {
 public:
  void watch(ScriptStop& stop) override;
  void unwatch() override;
};

}  // namespace vek
