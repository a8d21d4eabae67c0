#pragma once

// The editor's command keys, taken from Allegro's key buffer once per pass:
// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+S saves, Ctrl+Shift+S
// saves as. Other keys are
// dropped, but for Escape, which asks the editor to end as the close button
// does (the main loop also reads its state).
//
// The buffer holds a key's character and scancode but not the modifiers
// held when it was pressed, and by the pass that reads it Ctrl may be up
// already. So a key callback tags each command key as it enters the buffer
// with the modifiers of that moment.

#include "app/command_context.h"

namespace vek {

// Installs (and removes) the tagging key callback.
void installCommandKeys();
void removeCommandKeys();

void handleCommandKeys(CommandContext& context);

}  // namespace vek
