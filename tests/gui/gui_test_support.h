#pragma once

#include <allegro.h>

#include <memory>
#include <string>

// Helpers for the toolkit's tests: memory bitmaps, whole-image comparison
// and Allegro's input globals.
namespace vek::test {

struct BitmapDeleter {
  void operator()(BITMAP* bitmap) const {
    if (bitmap != nullptr) destroy_bitmap(bitmap);
  }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

// A memory bitmap of the current colour depth, cleared to colour 0 (black).
BitmapPtr blankBitmap(int width, int height);

// Describes up to a few pixels where the two bitmaps differ ("(x,y) is A,
// expected B"); empty when they are the same size and every pixel matches.
std::string imageDifferences(BITMAP* actual, BITMAP* expected);

// The mouse at (0, 0) with no button down, no key held, an empty key buffer.
void resetInput();
// Puts each character of text into Allegro's key buffer as a key press.
void typeKeys(const char* text);
// Puts mouse_x, mouse_y and mouse_b.
void putMouse(int x, int y, int buttons);

int white();

}  // namespace vek::test
