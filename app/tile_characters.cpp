#include "app/tile_characters.h"

namespace vek {

void formatTileCharacter(TileCode code, char* text) {
  // What Allegro's formatting does for "%c": the code as one character of
  // the current encoding (two bytes in UTF-8 from 128 on), then the end.
  int length = usetc(text, code);
  usetc(text + length, 0);
}

const TileCharacter& TileCharacters::of(FONT* textFont, TileCode code) {
  if (textFont != font_) {
    font_ = textFont;
    known_.reset();
  }
  TileCharacter& character = characters_[code];
  if (!known_[code]) {
    formatTileCharacter(code, character.text);
    character.width = text_length(textFont, character.text);
    character.height = text_height(textFont);
    known_[code] = true;
  }
  return character;
}

}  // namespace vek
