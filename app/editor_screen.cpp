#include "app/editor_screen.h"

#include <string>

#include "app/screen_layout.h"
#include "app/screen_text.h"

namespace vek {
namespace {

int white() { return makecol(255, 255, 255); }
int yellow() { return makecol(255, 255, 0); }

// A tile's picture, cut to one cell.
void drawPicture(BITMAP* target, BITMAP* picture, int x, int y) {
  blit(picture, target, 0, 0, x, y, layout::kCellWidth, layout::kCellHeight);
}

// A tile code as one character. Code 0 formats as an empty text and draws
// nothing.
void drawCharacter(BITMAP* target, const TileCharacter& character, int x, int y) {
  textout_ex(target, font, character.text, x, y, white(), -1);
}

// Whether the part of picture that a cell shows hides every pixel of the
// character drawn at (x, y) of the cell.
bool hidesCharacter(BITMAP* picture, const TileCharacter& character, int x, int y) {
  int shownWidth = picture->w < layout::kCellWidth ? picture->w : layout::kCellWidth;
  int shownHeight = picture->h < layout::kCellHeight ? picture->h : layout::kCellHeight;
  return x + character.width <= shownWidth && y + character.height <= shownHeight;
}

// A map cell's picture, or its character, over what the cell shows.
void drawCellContent(BITMAP* target, int column, int row, TileCode code, const TileSet& tiles,
                     TileCharacters& characters) {
  int x = column * layout::kCellWidth;
  int y = row * layout::kCellHeight;
  if (BITMAP* picture = tiles.picture(code)) {
    drawPicture(target, picture, x, y);
  } else {
    drawCharacter(target, characters.of(font, code), x + layout::kMapCharacterX,
                  y + layout::kCharacterY);
  }
}

void drawSelectedTile(BITMAP* target, TileCode selectedTile, const TileSet& tiles,
                      TileCharacters& characters) {
  textout_ex(target, font, layout::kSelectedHeading, layout::kSelectedHeadingX,
             layout::kSelectedHeadingY, white(), -1);
  if (BITMAP* picture = tiles.picture(selectedTile)) {
    drawPicture(target, picture, layout::kSelectedPictureX, layout::kSelectedPictureY);
  } else {
    drawCharacter(target, characters.of(font, selectedTile), layout::kSelectedPictureX,
                  layout::kSelectedPictureY);
  }
  drawFormattedText(target, layout::kSelectedCodeX, layout::kSelectedCodeY, white(), "%i",
                    selectedTile);
}

// While "+" waits for a cell, the path line says so instead of the path.
void drawPlacementLine(BITMAP* target, const char* destination) {
  std::string text = std::string(kPlacementLineStart) + destination + kPlacementLineEnd;
  textout_ex(target, font, text.c_str(), layout::kPathX, layout::kPathY, yellow(), -1);
}

}  // namespace

void drawMapGrid(BITMAP* target, const Map& map, const TileSet& tiles,
                 TileCharacters& characters) {
  // The frame starts black, so each cell's content goes straight over it.
  for (int row = 0; row < Map::kRows; ++row) {
    for (int column = 0; column < Map::kColumns; ++column) {
      drawCellContent(target, column, row, map.getTile(column, row), tiles, characters);
    }
  }
}

void drawMapCell(BITMAP* target, int column, int row, TileCode code, const TileSet& tiles,
                 TileCharacters& characters) {
  int x = column * layout::kCellWidth;
  int y = row * layout::kCellHeight;
  rectfill(target, x, y, x + layout::kCellWidth - 1, y + layout::kCellHeight - 1, 0);
  drawCellContent(target, column, row, code, tiles, characters);
}

void drawPalette(BITMAP* target, const TileSet& tiles, TileCharacters& characters) {
  for (int row = 0; row < layout::kPaletteRows; ++row) {
    for (int column = 0; column < layout::kPaletteColumns; ++column) {
      TileCode code = static_cast<TileCode>(row * layout::kPaletteColumns + column);
      int x = column * layout::kCellWidth;
      int y = layout::kPaletteTop + row * layout::kCellHeight;
      // The character first: a picture smaller than the cell lets it show.
      // Under a picture that hides it whole it is not drawn at all.
      const TileCharacter& character = characters.of(font, code);
      BITMAP* picture = tiles.picture(code);
      if (!picture ||
          !hidesCharacter(picture, character, layout::kPaletteCharacterX, layout::kCharacterY)) {
        drawCharacter(target, character, x + layout::kPaletteCharacterX, y + layout::kCharacterY);
      }
      if (picture) drawPicture(target, picture, x, y);
    }
  }
}

const char* mapKindLabel(MapKind kind) {
  switch (kind) {
    case MapKind::Wilderness:
      return "WILDERNESS";
    case MapKind::Local:
      return "LOCAL";
    case MapKind::Interior:
      return "INTERIOR";
  }
  return nullptr;
}

void drawPathLine(BITMAP* target, const MapDocument& document) {
  const char* path = document.path().c_str();
  textout_ex(target, font, path, layout::kPathX, layout::kPathY, white(), -1);
  if (document.isModified()) {
    textout_ex(target, font, "*", layout::kPathX + text_length(font, path), layout::kPathY,
               white(), -1);
  }
}

void drawStatusTexts(BITMAP* target, const MapDocument& document, const EditorState& state,
                     const TileSet& tiles, TileCharacters& characters) {
  const Map& map = document.map();
  if (state.mode == EditorMode::PlaceTeleport) {
    drawPlacementLine(target, state.teleportDestination);
  } else {
    drawPathLine(target, document);
  }
  if (const char* label = mapKindLabel(map.kind)) {
    textout_ex(target, font, label, layout::kKindX, layout::kKindY, white(), -1);
  }
  drawSelectedTile(target, state.selectedTile, tiles, characters);
  state.teleportList.draw(target, map);
  textout_ex(target, font, layout::kReadoutHeading, layout::kReadoutHeadingX,
             layout::kReadoutHeadingY, white(), -1);
  textout_ex(target, font, state.tools.status().c_str(), layout::kToolStatusX,
             layout::kToolStatusY, white(), -1);
  drawHelpHint(target);
}

void drawCellReadout(BITMAP* target, const Map& map, int mouseX, int mouseY) {
  int column = mouseX / layout::kCellWidth;
  int row = mouseY / layout::kCellHeight;
  drawFormattedText(target, layout::kReadoutPositionX, layout::kReadoutY, white(), "%i,%i",
                    column + 1, row + 1);
  drawFormattedText(target, layout::kReadoutCodeX, layout::kReadoutY, white(), "%i",
                    map.getTile(column, row));
}

}  // namespace vek
