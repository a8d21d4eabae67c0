#include "gui/caption_text.h"

namespace vek {

namespace {

constexpr int kTransparentBackground = -1;

int captionLeft(int left, int width, int textWidth, int alignment) {
  switch (alignment) {
    case AlignRight:
      return left + width - textWidth;
    case AlignCenter:
      return left + (width - textWidth) / 2;
    default:
      return left + 1;
  }
}

}  // namespace

void drawCaptionText(BITMAP* target, FONT* textFont, const char* text, int left, int top,
                     int width, int height, int alignment, int color) {
  if (target == nullptr || textFont == nullptr || text == nullptr || color < 0) return;
  const int textWidth = text_length(textFont, text);
  const int textHeight = text_height(textFont);
  const int textTop = top + (height - textHeight) / 2;
  textout_ex(target, textFont, text, captionLeft(left, width, textWidth, alignment), textTop,
             color, kTransparentBackground);
}

}  // namespace vek
