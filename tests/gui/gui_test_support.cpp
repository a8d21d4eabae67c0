#include "gui_test_support.h"

#include <cstring>
#include <sstream>

namespace vek::test {

BitmapPtr blankBitmap(int width, int height) {
  BitmapPtr bitmap(create_bitmap(width, height));
  if (bitmap) clear_to_color(bitmap.get(), 0);
  return bitmap;
}

std::string imageDifferences(BITMAP* actual, BITMAP* expected) {
  std::ostringstream report;
  if (actual->w != expected->w || actual->h != expected->h) {
    report << "size " << actual->w << "x" << actual->h << ", expected " << expected->w << "x"
           << expected->h;
    return report.str();
  }
  int reported = 0;
  int differing = 0;
  for (int y = 0; y < actual->h; ++y) {
    for (int x = 0; x < actual->w; ++x) {
      const int got = getpixel(actual, x, y);
      const int want = getpixel(expected, x, y);
      if (got == want) continue;
      ++differing;
      if (reported++ < 6) report << "(" << x << "," << y << ") is " << got << ", expected " << want << "; ";
    }
  }
  if (differing > 0) report << differing << " pixels differ";
  return report.str();
}

void resetInput() {
  putMouse(0, 0, 0);
  for (int code = 0; code < KEY_MAX; ++code) key[code] = 0;
  clear_keybuf();
}

void typeKeys(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) simulate_keypress(static_cast<unsigned char>(*c));
}

void putMouse(int x, int y, int buttons) {
  mouse_x = x;
  mouse_y = y;
  mouse_b = buttons;
}

int white() { return makecol(255, 255, 255); }

}  // namespace vek::test
