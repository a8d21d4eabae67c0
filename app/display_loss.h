#pragma once

// The editor ends at once when its display goes away or a signal asks it
// to end. Left to Xlib and Allegro, a broken connection ends the program
// through exit(), whose exit handlers shut Allegro down over the dead
// connection while its input thread holds the display's lock; and Allegro's
// own handler for SIGTERM and SIGINT does the same. Either can hang with a
// busy input thread, leaving an editor that no window shows and that
// ignores SIGTERM. With no display there is nobody to ask about unsaved
// changes, so the program ends without them.

namespace vek {

// After the screen mode is set (Allegro has installed its handlers by then).
void endAtOnceWithoutDisplay();

}  // namespace vek
