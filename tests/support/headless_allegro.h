#pragma once

// Allegro without a display: no system driver, no graphics mode, so tests
// draw on memory bitmaps and drive input by setting Allegro's globals.
namespace vek::test {

// Starts Allegro with its "none" system driver; safe to call more than once.
void startHeadlessAllegro();

// Starts Allegro headless (if needed) and sets the colour depth that new
// bitmaps, makecol and the bitmap loader's conversions use.
void useColorDepth(int bitsPerPixel);

}  // namespace vek::test
