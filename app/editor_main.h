#pragma once

#include "app/editor_options.h"
#include "platform/platform.h"

namespace vek {

// The whole editor, from Allegro's start to the shutdown after the main
// loop, on the given platform services. The random numbers are seeded by
// the caller. Gives the exit code: 0, also when no screen mode could be
// set; 1 when Allegro cannot start at all (no X display). The options say
// which map to open first and where the tile pictures are.
int runEditor(const Platform& platform, const EditorOptions& options = EditorOptions());

}  // namespace vek
