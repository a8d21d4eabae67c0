#pragma once

// What pictures of a whole world share, on the screen and in files: the
// lines between its 20 x 20 maps are grey, drawn on the first pixel column
// and row of every map but the first.

namespace vek {

// Red, green and blue alike.
inline constexpr int kWorldGridLineGrey = 96;

}  // namespace vek
