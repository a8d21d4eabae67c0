#pragma once

// Memory bitmaps and the comparisons drawing tests make on them.

#include <allegro.h>

#include <memory>
#include <string>

namespace vek::test {

struct BitmapDeleter {
  void operator()(BITMAP* bitmap) const {
    if (bitmap != nullptr) destroy_bitmap(bitmap);
  }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

// A memory bitmap of the current colour depth, cleared to colour 0 (black).
BitmapPtr blankBitmap(int width, int height);

// Describes up to a few pixels where actual differs from expected ("(x,y) is
// A, expected B") and how many differ; empty when they are the same size and
// every pixel matches.
std::string imageDifferences(BITMAP* actual, BITMAP* expected);

// Where text drawn with Allegro's font in colour at (x, y) of target differs
// from the same text drawn on black; empty when it matches exactly. The box
// must be black around the text.
std::string textDifferences(BITMAP* target, int x, int y, const char* text, int colour);

// How many pixels of the rectangle have the colour.
int countPixels(BITMAP* target, int x, int y, int width, int height, int colour);
// Whether every pixel of the rectangle has the colour.
bool allPixels(BITMAP* target, int x, int y, int width, int height, int colour);

int white();

}  // namespace vek::test
