#pragma once

// Where everything lies on the editor's 1000 x 700 screen (pixels from the
// top-left corner), and the rectangles in which the mouse acts.

#include "map/map.h"

namespace vek::layout {

constexpr int kScreenWidth = 1000;
constexpr int kScreenHeight = 700;

// Map cells and palette cells alike are 18 x 20 pixels.
constexpr int kCellWidth = 18;
constexpr int kCellHeight = 20;

// The map area: 48 x 24 cells from the top-left corner.
constexpr int kMapAreaWidth = Map::kColumns * kCellWidth;   // 864
constexpr int kMapAreaHeight = Map::kRows * kCellHeight;    // 480
// A character stands this far into its map cell; in a palette cell it
// stands one pixel further left.
constexpr int kMapCharacterX = 5;
constexpr int kPaletteCharacterX = 4;
constexpr int kCharacterY = 8;

// The palette: 32 columns x 8 rows of cells, code 32 row + column.
constexpr int kPaletteTop = 520;
constexpr int kPaletteColumns = 32;
constexpr int kPaletteRows = 8;
constexpr int kPaletteWidth = kPaletteColumns * kCellWidth;    // 576
constexpr int kPaletteHeight = kPaletteRows * kCellHeight;     // 160

// Status texts.
constexpr int kPathX = 5, kPathY = 485;
constexpr int kKindX = 5, kKindY = 495;
constexpr int kSelectedHeadingX = 870, kSelectedHeadingY = 25;
constexpr int kSelectedPictureX = 900, kSelectedPictureY = 35;
constexpr int kSelectedCodeX = 940, kSelectedCodeY = 35;
constexpr int kReadoutHeadingX = 870, kReadoutHeadingY = 60;
constexpr int kReadoutPositionX = 880, kReadoutCodeX = 940, kReadoutY = 70;
constexpr int kTeleportHeadingX = 870, kTeleportHeadingY = 90;
// The active tool, in the free row between the readout and the list.
constexpr int kToolStatusX = 870, kToolStatusY = 80;

// The teleport list: one row of 10 pixels per teleport, the red "+" beside
// the heading and a red "-" at the end of each row.
constexpr int kMarkX = 980;
constexpr int kMarkWidth = 10;
constexpr int kPlusY = 90;
constexpr int kTeleportRowsTop = 100;
constexpr int kTeleportRowHeight = 10;
constexpr int kTeleportPositionX = 870;
constexpr int kTeleportNameX = 920;

inline constexpr const char* kSelectedHeading = "SELECTED TILE";
inline constexpr const char* kReadoutHeading = "MAP POS  TILE";
inline constexpr const char* kTeleportHeading = "TELEPORTS";

// The map area for the mouse leaves out its leftmost pixel column (x = 0).
inline bool isInMapArea(int x, int y) {
  return x >= 1 && x < kMapAreaWidth && y >= 0 && y < kMapAreaHeight;
}
inline bool isInPalette(int x, int y) {
  return x >= 0 && x < kPaletteWidth && y >= kPaletteTop && y < kPaletteTop + kPaletteHeight;
}
inline bool isOnPlusMark(int x, int y) {
  return x >= kMarkX && x < kMarkX + kMarkWidth && y >= kPlusY && y < kPlusY + kTeleportRowHeight;
}
// The column of "-" marks has no lower end: rows below the last teleport
// (or the screen) name no teleport.
inline bool isInMinusColumn(int x, int y) {
  return x >= kMarkX && x < kMarkX + kMarkWidth && y >= kTeleportRowsTop;
}

// The teleport list index of a "-" mark row.
inline int teleportRowAt(int y) { return (y - kTeleportRowsTop) / kTeleportRowHeight; }
// The tile code of the palette cell under a point of the palette.
inline TileCode paletteCodeAt(int x, int y) {
  return static_cast<TileCode>(((y - kPaletteTop) / kCellHeight) * kPaletteColumns + x / kCellWidth);
}

}  // namespace vek::layout
