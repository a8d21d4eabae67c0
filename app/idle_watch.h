#pragma once

// When the editor may rest. A frame is drawn from the editor's state and
// the input alone, and the state changes only in passes, on input; so once
// the input has stayed as it is and two passes in a row have drawn the
// same frame as the one before them, the next pass would draw it again:
// the main loop sleeps a few milliseconds instead, and looks at the input
// again. A pointer that moves, a button, the wheel, a key or the close
// button makes the passes run again at once.

#include <allegro.h>

#include <array>
#include <vector>

namespace vek {

class IdleWatch {
 public:
  // Short enough that a click or key gets its frame within one of 60 Hz.
  static constexpr int kRestMilliseconds = 4;

  // True when the input is as the last pass found it and the frame has
  // settled: the loop may rest instead of running a pass.
  bool mayRest();
  // After a pass: the frame it drew (the back buffer, pointer included).
  void passDrawn(const BITMAP* frame);

 private:
  struct Input {
    int mouseX = 0, mouseY = 0, mouseZ = 0, mouseButtons = 0, shifts = 0;
    bool keyWaiting = false, closeAsked = false;
    std::array<char, KEY_MAX> keys{};
    bool operator==(const Input& other) const;
  };
  static Input readInput();

  Input lastInput_;
  bool inputSeen_ = false;
  bool inputChanged_ = true;
  // The frame of the last pass that had the same input as the one before.
  std::vector<unsigned char> lastFrame_;
  bool frameKept_ = false;
  int sameFrames_ = 0;
};

}  // namespace vek
