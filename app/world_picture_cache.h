#pragma once

// The world picture kept in a bitmap of its own. Drawing it pixel by pixel
// reads and writes 414,720 pixels; but the cells change only when VIEW WORLD
// MAP reads the folder and the tile pictures not at all after start-up, so the
// picture is drawn once after each change and every pass copies it.

#include <allegro.h>

#include "map/world.h"
#include "resources/tile_set.h"

namespace vek {

class WorldPictureCache {
 public:
  WorldPictureCache() = default;
  // Destroys the bitmap: Allegro must still be installed.
  ~WorldPictureCache();
  WorldPictureCache(const WorldPictureCache&) = delete;
  WorldPictureCache& operator=(const WorldPictureCache&) = delete;

  // Puts the world picture of world at the top-left corner of target, the
  // same pixels as drawWorldPicture: copied from the bitmap, which is drawn
  // afresh first when the world or the tile pictures have changed since, or
  // target has another colour depth. Without memory for the bitmap it
  // draws straight into target.
  void draw(BITMAP* target, const World& world, const TileSet& tiles);

  // Destroys the bitmap; the next draw makes it again.
  void release();

 private:
  struct Source {
    const World* world = nullptr;
    unsigned long long worldRevision = 0;
    const TileSet* tiles = nullptr;
    unsigned long long tilesRevision = 0;
    int depth = 0;
    bool operator==(const Source& other) const;
  };

  // The bitmap for target's depth, made when needed; null without memory.
  BITMAP* pictureFor(BITMAP* target);

  BITMAP* picture_ = nullptr;
  Source drawn_;  // what the bitmap shows
};

}  // namespace vek
