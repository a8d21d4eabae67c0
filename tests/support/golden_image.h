#pragma once

// Golden pictures: what a whole drawing must look like, kept as PNG files in
// tests/golden/ and compared pixel by pixel. scripts/update-golden-images.sh
// writes them afresh from the current code (look at them before committing).

#include <allegro.h>

#include <string>

namespace vek::test {

// Compares bitmap with tests/golden/NAME.png, each golden colour taken to the
// bitmap's colour depth as makecol does; describes the first differences,
// empty when every pixel matches. On a difference the bitmap is written
// beside the test program as golden-failures/NAME.png. With VEK_UPDATE_GOLDEN
// set in the environment it writes the golden picture from the bitmap
// instead and gives "" (the update script runs at 32 bits per pixel).
std::string goldenDifferences(BITMAP* bitmap, const std::string& name);

}  // namespace vek::test
