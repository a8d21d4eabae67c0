#include "allegro_pointer_wait.h"

#include <allegro.h>

namespace vek {
namespace {

struct MouseReading {
  int buttons;
  int x;
  int y;
};

// mouse_b, mouse_x and mouse_y change on their own; one reading takes each
// once so that the decision and the position come from the same moment.
MouseReading readMouse() { return MouseReading{mouse_b, mouse_x, mouse_y}; }

bool isLeftClickInside(const MouseReading& reading, int width, int height) {
  return (reading.buttons & 1) != 0 && reading.x >= 0 && reading.x < width && reading.y >= 0 &&
         reading.y < height;
}

}  // namespace

void AllegroPointerWait::waitForLeftClick(int width, int height, int* x, int* y) {
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

  MouseReading reading;
  for (;;) {
    if (snapshot) {
      show_mouse(snapshot);
      blit(snapshot, screen, 0, 0, 0, 0, snapshot->w, snapshot->h);
    }
    if (mouse_needs_poll()) poll_mouse();
    if (beforeEachReading_) beforeEachReading_();
    reading = readMouse();
    if (isLeftClickInside(reading, width, height)) break;
  }

  show_mouse(nullptr);
  if (snapshot) destroy_bitmap(snapshot);
  if (x) *x = reading.x;
  if (y) *y = reading.y;
}

}  // namespace vek
