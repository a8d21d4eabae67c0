#pragma once

#include <allegro.h>

namespace vek {

// Draws the top-left maxWidth x maxHeight part of a picture (all of it when
// it is smaller) at (x, y) on target, unscaled, leaving the pixels of the
// mask colour transparent. A picture of another colour depth than the target
// is not drawn: Allegro's masked blit would read its rows with the wrong
// pixel size, past the end of the picture.
void drawMaskedPicture(BITMAP* picture, BITMAP* target, int x, int y, int maxWidth,
                       int maxHeight);

}  // namespace vek
