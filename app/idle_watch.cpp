#include "app/idle_watch.h"

#include <cstring>

#include "app/close_button.h"

namespace vek {
namespace {

constexpr int kSettledFrames = 2;

std::size_t rowBytes(const BITMAP* frame) {
  return static_cast<std::size_t>(frame->w) * static_cast<std::size_t>(
                                                  (bitmap_color_depth(const_cast<BITMAP*>(frame)) + 7) / 8);
}

}  // namespace

bool IdleWatch::Input::operator==(const Input& other) const {
  return mouseX == other.mouseX && mouseY == other.mouseY && mouseZ == other.mouseZ &&
         mouseButtons == other.mouseButtons && shifts == other.shifts &&
         keyWaiting == other.keyWaiting && closeAsked == other.closeAsked && keys == other.keys;
}

IdleWatch::Input IdleWatch::readInput() {
  if (mouse_needs_poll()) poll_mouse();
  if (keyboard_needs_poll()) poll_keyboard();
  Input input;
  input.mouseX = mouse_x;
  input.mouseY = mouse_y;
  input.mouseZ = mouse_z;
  input.mouseButtons = mouse_b;
  input.shifts = key_shifts;
  input.keyWaiting = keypressed();
  input.closeAsked = closeRequested();
  for (int code = 0; code < KEY_MAX; ++code) input.keys[static_cast<std::size_t>(code)] = key[code];
  return input;
}

bool IdleWatch::mayRest() {
  Input input = readInput();
  inputChanged_ = !inputSeen_ || !(input == lastInput_);
  lastInput_ = input;
  inputSeen_ = true;
  return !inputChanged_ && sameFrames_ >= kSettledFrames;
}

void IdleWatch::passDrawn(const BITMAP* frame) {
  if (inputChanged_ || !frame) {
    frameKept_ = false;
    sameFrames_ = 0;
    return;
  }
  std::size_t row = rowBytes(frame);
  std::size_t size = row * static_cast<std::size_t>(frame->h);
  bool same = frameKept_ && lastFrame_.size() == size;
  lastFrame_.resize(size);
  for (int y = 0; y < frame->h; ++y) {
    unsigned char* kept = lastFrame_.data() + row * static_cast<std::size_t>(y);
    if (same && std::memcmp(kept, frame->line[y], row) == 0) continue;
    same = false;
    std::memcpy(kept, frame->line[y], row);
  }
  frameKept_ = true;
  sameFrames_ = same ? sameFrames_ + 1 : 0;
}

}  // namespace vek
