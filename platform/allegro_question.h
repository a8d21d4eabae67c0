#pragma once

#include "platform/platform.h"

namespace vek {

// The question box of the editor: drawn in the editor's window, centred,
// dark text on a light box with one framed button per answer. It waits,
// resting between looks at the mouse and keys, for a click on a button, an
// answer's first letter or Escape (the last answer); keys typed before it
// opened do not count. It returns once the mouse buttons and keys are up,
// so the key that answered does not reach the editor, and puts back what
// the screen showed before.
class AllegroQuestion : public Question {
 public:
  int ask(const std::string& text, const std::vector<std::string>& answers) override;
};

}  // namespace vek
