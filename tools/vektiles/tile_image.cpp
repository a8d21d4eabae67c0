#include "tile_image.h"

#include <algorithm>
#include <cstdlib>

namespace vek {

TileImage::TileImage(int width, int height, Rgb background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

Rgb TileImage::get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{0, 0, 0};
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void TileImage::set(int x, int y, Rgb colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

void TileImage::fillRect(int x, int y, int w, int h, Rgb colour) {
  for (int row = y; row < y + h; ++row)
    for (int column = x; column < x + w; ++column) set(column, row, colour);
}

void TileImage::hline(int x1, int x2, int y, Rgb colour) {
  for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) set(x, y, colour);
}

void TileImage::vline(int x, int y1, int y2, Rgb colour) {
  for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) set(x, y, colour);
}

void TileImage::fillEllipse(int cx, int cy, int rx, int ry, Rgb colour) {
  for (int y = cy - ry; y <= cy + ry; ++y) {
    for (int x = cx - rx; x <= cx + rx; ++x) {
      // Inside when (dx/rx)^2 + (dy/ry)^2 <= 1, in integers.
      long dx = x - cx, dy = y - cy;
      if (dx * dx * ry * ry + dy * dy * rx * rx <= static_cast<long>(rx) * rx * ry * ry) {
        set(x, y, colour);
      }
    }
  }
}

void TileImage::fillTriangle(int apexX, int apexY, int x1, int x2, int baseY, Rgb colour) {
  int rows = std::abs(baseY - apexY);
  int step = baseY >= apexY ? 1 : -1;
  for (int i = 0; i <= rows; ++i) {
    int left = rows == 0 ? x1 : apexX + (x1 - apexX) * i / rows;
    int right = rows == 0 ? x2 : apexX + (x2 - apexX) * i / rows;
    hline(left, right, apexY + i * step, colour);
  }
}

std::vector<Rgb> TileImage::colours() const {
  std::vector<Rgb> found;
  for (const Rgb& pixel : pixels_) {
    if (std::find(found.begin(), found.end(), pixel) == found.end()) found.push_back(pixel);
  }
  return found;
}

}  // namespace vek
