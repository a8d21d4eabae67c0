#pragma once

// The editor's command keys, taken from Allegro's key buffer once per pass:
// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+S saves. Other keys are
// dropped (Escape is read from the key state by the main loop).
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
