#include "gui/masked_picture.h"

#include <algorithm>

namespace vek {

void drawMaskedPicture(BITMAP* picture, BITMAP* target, int x, int y, int maxWidth,
                       int maxHeight) {
  if (picture == nullptr || target == nullptr) return;
  if (bitmap_color_depth(picture) != bitmap_color_depth(target)) return;
  const int width = std::min(picture->w, maxWidth);
  const int height = std::min(picture->h, maxHeight);
  if (width <= 0 || height <= 0) return;
  masked_blit(picture, target, 0, 0, x, y, width, height);
}

}  // namespace vek
