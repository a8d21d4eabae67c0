#include "app/world_picture_cache.h"

#include "app/screen_layout.h"
#include "app/world_picture.h"

namespace vek {

WorldPictureCache::~WorldPictureCache() { release(); }

bool WorldPictureCache::Source::operator==(const Source& other) const {
  return world == other.world && worldRevision == other.worldRevision && tiles == other.tiles &&
         tilesRevision == other.tilesRevision && depth == other.depth;
}

void WorldPictureCache::draw(BITMAP* target, const World& world, const TileSet& tiles) {
  Source wanted{&world, world.revision(), &tiles, tiles.revision(), bitmap_color_depth(target)};
  BITMAP* picture = pictureFor(target);
  if (!picture) {
    drawWorldPicture(target, world, tiles);
    return;
  }
  if (!(drawn_ == wanted)) {
    drawWorldPicture(picture, world, tiles);
    drawn_ = wanted;
  }
  blit(picture, target, 0, 0, 0, 0, picture->w, picture->h);
}

BITMAP* WorldPictureCache::pictureFor(BITMAP* target) {
  int depth = bitmap_color_depth(target);
  if (picture_ && bitmap_color_depth(picture_) == depth) return picture_;
  release();
  picture_ = create_bitmap_ex(depth, layout::kMapAreaWidth, layout::kMapAreaHeight);
  return picture_;
}

void WorldPictureCache::release() {
  if (picture_) destroy_bitmap(picture_);
  picture_ = nullptr;
  drawn_ = Source{};
}

}  // namespace vek
