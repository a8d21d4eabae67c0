#pragma once

#include <allegro.h>

namespace vek {

// Horizontal placement of a label's or text box's text. Any other value
// places the text like AlignLeft.
enum Alignment : int {
  AlignLeft = 1,    // one pixel inside the left edge
  AlignRight = 2,   // the text ends flush with the right edge
  AlignCenter = 3,  // centred
};

// Draws text in the rectangle (left, top, width, height): vertically centred,
// horizontally as alignment says, with integer halves truncated toward zero.
// The letters are drawn in color on a transparent background and are not cut
// to the rectangle. Nothing is drawn without a font or with a negative color.
void drawCaptionText(BITMAP* target, FONT* textFont, const char* text, int left, int top,
                     int width, int height, int alignment, int color);

}  // namespace vek
