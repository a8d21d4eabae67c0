#pragma once

// Formatted texts of the editor's screen without Allegro's formatting,
// which allocates and frees memory on each call, several times a pass.

#include <allegro.h>

namespace vek {

// As textprintf_ex with Allegro's font on a transparent background, but
// formatted by the C library into a buffer on the stack (texts longer than
// 255 characters are cut). For texts of ASCII characters only (numbers,
// commas), which read the same in Allegro's text encoding.
void drawFormattedText(BITMAP* target, int x, int y, int colour, const char* format, ...)
    __attribute__((format(printf, 5, 6)));

}  // namespace vek
