#pragma once

// What a tile code without a picture is drawn as: its character, the text
// that Allegro's "%c" gives for the code (in Allegro's text encoding), and
// the size of that text in a font. Worked out once per code and font
// instead of formatting and measuring the same 256 texts on every pass.

#include <allegro.h>

#include <bitset>

#include "map/map.h"

namespace vek {

struct TileCharacter {
  char text[8];  // empty for code 0, which "%c" ends at once
  int width;     // text_length of text
  int height;    // text_height of the font
};

class TileCharacters {
 public:
  // The character of code in textFont, worked out on first use and kept
  // while the font stays the same.
  const TileCharacter& of(FONT* textFont, TileCode code);

 private:
  FONT* font_ = nullptr;
  TileCharacter characters_[256] = {};
  std::bitset<256> known_;
};

// The text "%c" formats code as, into text (at least 8 bytes).
void formatTileCharacter(TileCode code, char* text);

}  // namespace vek
