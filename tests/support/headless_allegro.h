#pragma once

// Allegro without a display: no system driver, no graphics mode, so tests
// draw on memory bitmaps and drive input by setting Allegro's globals.
namespace vek::test {

// Starts Allegro with its "none" system driver; safe to call more than once.
void startHeadlessAllegro();

// Starts Allegro headless (if needed) and sets the colour depth that new
// bitmaps, makecol and the bitmap loader's conversions use.
void useColorDepth(int bitsPerPixel);

// Starts Allegro headless (if needed) and makes its key buffer usable without
// a keyboard driver (which the "none" system lacks): keys put in the buffer
// with simulate_keypress() then reach keypressed() and readkey() as typed.
void useHeadlessKeyboard();

// Sets mouse_x, mouse_y and mouse_b.
void putMouse(int x, int y, int buttons);
// The mouse at (0, 0) with no button down, no key held, an empty key buffer.
void resetInput();
// Puts each character of text into Allegro's key buffer as a key press.
void typeKeys(const char* text);

}  // namespace vek::test
