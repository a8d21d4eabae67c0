#include "bitmap_checks.h"

#include <sstream>

namespace vek::test {

BitmapPtr blankBitmap(int width, int height) {
  BitmapPtr bitmap(create_bitmap(width, height));
  if (bitmap) clear_to_color(bitmap.get(), 0);
  return bitmap;
}

namespace {

// Compares the expected bitmap with the same-sized area of actual at (left, top).
std::string areaDifferences(BITMAP* actual, int left, int top, BITMAP* expected) {
  std::ostringstream report;
  int differing = 0;
  for (int y = 0; y < expected->h; ++y) {
    for (int x = 0; x < expected->w; ++x) {
      const int got = getpixel(actual, left + x, top + y);
      const int want = getpixel(expected, x, y);
      if (got == want) continue;
      if (differing++ < 5)
        report << "(" << left + x << "," << top + y << ") is " << got << ", expected " << want << "; ";
    }
  }
  if (differing > 0) report << differing << " pixels differ";
  return report.str();
}

}  // namespace

std::string imageDifferences(BITMAP* actual, BITMAP* expected) {
  if (actual->w != expected->w || actual->h != expected->h) {
    return "size " + std::to_string(actual->w) + "x" + std::to_string(actual->h) + ", expected " +
           std::to_string(expected->w) + "x" + std::to_string(expected->h);
  }
  return areaDifferences(actual, 0, 0, expected);
}

std::string textDifferences(BITMAP* target, int x, int y, const char* text, int colour) {
  BitmapPtr expected = blankBitmap(text_length(font, text) + 2, text_height(font) + 2);
  textout_ex(expected.get(), font, text, 1, 1, colour, -1);
  std::string report = areaDifferences(target, x - 1, y - 1, expected.get());
  return report.empty() ? report : report + " from \"" + text + "\"";
}

int countPixels(BITMAP* target, int x, int y, int width, int height, int colour) {
  int count = 0;
  for (int row = y; row < y + height; ++row)
    for (int column = x; column < x + width; ++column) count += getpixel(target, column, row) == colour;
  return count;
}

bool allPixels(BITMAP* target, int x, int y, int width, int height, int colour) {
  return countPixels(target, x, y, width, height, colour) == width * height;
}

int white() { return makecol(255, 255, 255); }

}  // namespace vek::test
