#pragma once

// The help shown over the editor by F1: every mouse action and key of the
// editor in a framed box in the middle of the screen. Any key or click
// closes it.

#include <allegro.h>

namespace vek {

// The hint that stands on the screen while the help is closed, and where.
inline constexpr const char* kHelpHint = "F1: help";
inline constexpr int kHelpHintX = 580, kHelpHintY = 520;

class HelpOverlay {
 public:
  bool shown() const { return shown_; }
  void show() { shown_ = true; }
  void close() { shown_ = false; }

  // The box with its lines over target, centred, while the help is shown.
  void draw(BITMAP* target) const;

 private:
  bool shown_ = false;
};

// The help's lines: a heading starts with no blank; "" is an empty line.
extern const char* const kHelpLines[];
extern const int kHelpLineCount;

// The hint, in grey.
void drawHelpHint(BITMAP* target);

}  // namespace vek
