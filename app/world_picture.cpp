#include "app/world_picture.h"

namespace vek {
namespace {

constexpr int kSampleX = 5;
constexpr int kSampleY = 5;

}  // namespace

int worldSampleColour(BITMAP* picture) {
  if (!picture || picture->w <= kSampleX || picture->h <= kSampleY) return makecol(0, 0, 0);
  return getpixel(picture, kSampleX, kSampleY);
}

void drawWorldPicture(BITMAP* target, const World& world, const TileSet& tiles) {
  for (int y = 0; y < layout::kMapAreaHeight; ++y) {
    for (int x = 0; x < layout::kMapAreaWidth; ++x) {
      putpixel(target, x, y, worldSampleColour(tiles.picture(world.cell(worldGridColumnAt(x), y))));
    }
  }
}

}  // namespace vek
