#include "app/help_overlay.h"

#include <algorithm>

namespace vek {

const char* const kHelpLines[] = {
    "MOUSE",
    "  Left on the palette        select that tile",
    "  Left on the map            use the active tool",
    "  Right on the map           pick the tile under the mouse",
    "  Middle on the map          follow a teleport; enter a local map",
    "  \"+\" / \"-\" in the list      add / remove a teleport",
    "  Wheel or arrows on list    scroll the teleport list",
    "",
    "TOOLS (buttons right of the generation buttons)",
    "  P  Pencil      paint; a drag paints every cell on its way",
    "  F  Fill        fill the region of the clicked cell's tile",
    "                 Shift+click: replace that tile everywhere",
    "  R  Rectangle   drag from corner to corner to fill it",
    "  S  Select      drag a rectangle to select it",
    "",
    "KEYS",
    "  Ctrl+C, Ctrl+X        copy, cut the selection (cut sets 0)",
    "  Delete                set the selection to 0",
    "  Ctrl+V                paste: the block follows the mouse,",
    "                        a left click places it",
    "  Ctrl+Z                undo",
    "  Ctrl+Y, Ctrl+Shift+Z  redo",
    "  Ctrl+S                save",
    "  Ctrl+Shift+S          save as",
    "  Ctrl+arrow key        open the neighbouring wilderness map",
    "  G                     world view: lines between the maps",
    "  Escape                end what is under way (a drag, the",
    "                        selection, a paste, a teleport);",
    "                        with nothing under way, quit",
    "  F1                    this help",
    "",
    "Any key or click closes this help.",
};
const int kHelpLineCount = static_cast<int>(sizeof kHelpLines / sizeof kHelpLines[0]);

namespace {

constexpr int kLineHeight = 12;
constexpr int kMargin = 16;

}  // namespace

void HelpOverlay::draw(BITMAP* target) const {
  if (!shown_) return;
  int width = 0;
  for (int i = 0; i < kHelpLineCount; ++i) width = std::max(width, text_length(font, kHelpLines[i]));
  width += 2 * kMargin;
  int height = kHelpLineCount * kLineHeight + 2 * kMargin;
  int left = (target->w - width) / 2;
  int top = (target->h - height) / 2;
  rectfill(target, left, top, left + width - 1, top + height - 1, makecol(0, 0, 0));
  rect(target, left, top, left + width - 1, top + height - 1, makecol(255, 255, 255));
  int white = makecol(255, 255, 255);
  int heading = makecol(255, 255, 0);
  for (int i = 0; i < kHelpLineCount; ++i) {
    const char* line = kHelpLines[i];
    textout_ex(target, font, line, left + kMargin, top + kMargin + i * kLineHeight,
               line[0] != ' ' ? heading : white, -1);
  }
}

void drawHelpHint(BITMAP* target) {
  textout_ex(target, font, kHelpHint, kHelpHintX, kHelpHintY, makecol(160, 160, 160), -1);
}

}  // namespace vek
