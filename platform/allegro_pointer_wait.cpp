#include "allegro_pointer_wait.h"

#include <allegro.h>

namespace vek {
namespace {

// Well within a frame of 60 Hz, and long enough for an idle wait to cost
// next to nothing.
constexpr int kIdleRestMilliseconds = 4;

struct MouseReading {
  int buttons;
  int x;
  int y;
};

// mouse_b, mouse_x and mouse_y change on their own; one reading takes each
// once so that the decision and the position come from the same moment.
MouseReading readMouse() { return MouseReading{mouse_b, mouse_x, mouse_y}; }

bool sameReading(const MouseReading& a, const MouseReading& b) {
  return a.buttons == b.buttons && a.x == b.x && a.y == b.y;
}

bool isLeftClickInside(const MouseReading& reading, int width, int height) {
  return (reading.buttons & 1) != 0 && reading.x >= 0 && reading.x < width && reading.y >= 0 &&
         reading.y < height;
}

}  // namespace

bool AllegroPointerWait::waitForLeftClick(int width, int height, int* x, int* y,
                                          const std::function<bool()>& stopped) {
  // The snapshot has the size of the screen bitmap itself (SCREEN_W and
  // SCREEN_H give the same for the editor's window, but are 0 without a
  // graphics driver).
  BITMAP* snapshot = screen ? create_bitmap(screen->w, screen->h) : nullptr;
  show_mouse(nullptr);
  if (snapshot) {
    blit(screen, snapshot, 0, 0, 0, 0, screen->w, screen->h);
  } else if (screen) {
    show_mouse(screen);
  }

  MouseReading reading{0, 0, 0};
  MouseReading previous{-1, -1, -1};
  bool clicked = false;
  while (!(stopped && stopped())) {
    if (mouse_needs_poll()) poll_mouse();
    if (beforeEachReading_) beforeEachReading_();
    reading = readMouse();
    if (snapshot && (reading.x != previous.x || reading.y != previous.y)) {
      show_mouse(snapshot);
      blit(snapshot, screen, 0, 0, 0, 0, snapshot->w, snapshot->h);
    }
    if (isLeftClickInside(reading, width, height)) {
      clicked = true;
      break;
    }
    if (sameReading(reading, previous)) rest(kIdleRestMilliseconds);
    previous = reading;
  }

  show_mouse(nullptr);
  if (snapshot) destroy_bitmap(snapshot);
  if (clicked && x) *x = reading.x;
  if (clicked && y) *y = reading.y;
  return clicked;
}

}  // namespace vek
