#pragma once

#include <cstdint>
#include <vector>

namespace vek {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
  bool operator!=(const Rgb& other) const { return !(*this == other); }
};

// A small true-colour picture with the drawing the tile painter needs. Pixels
// outside the picture are ignored when drawn and black when read.
class TileImage {
 public:
  TileImage(int width, int height, Rgb background);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb get(int x, int y) const;
  void set(int x, int y, Rgb colour);

  void fillRect(int x, int y, int w, int h, Rgb colour);
  void hline(int x1, int x2, int y, Rgb colour);
  void vline(int x, int y1, int y2, Rgb colour);
  // A filled ellipse around (cx, cy) with radii rx and ry.
  void fillEllipse(int cx, int cy, int rx, int ry, Rgb colour);
  // A filled triangle with a flat base at y = baseY from x1 to x2 and its
  // apex at (apexX, apexY).
  void fillTriangle(int apexX, int apexY, int x1, int x2, int baseY, Rgb colour);

  // The distinct colours in order of first appearance, row by row.
  std::vector<Rgb> colours() const;

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace vek
