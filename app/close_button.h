#pragma once

// The window's close button ends the editor as Escape does. Allegro calls
// the handler from its own input thread with no argument, so the request is
// a flag that the main loop reads at the end of each pass.

namespace vek {

// Lets the close button request the end; false when the platform has none.
bool installCloseButtonHandler();
void removeCloseButtonHandler();

// What the close button does: the loop ends after the pass under way.
void requestClose();
bool closeRequested();
// Forgets a request (the handler stays installed).
void clearCloseRequest();

}  // namespace vek
