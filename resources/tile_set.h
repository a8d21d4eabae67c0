#pragma once

#include <allegro.h>

#include <memory>
#include <string>

#include "map/map.h"
#include "resources/data_archive.h"

namespace vek {

// The archive the editor reads its tile pictures from, relative to the
// working directory.
inline constexpr const char* kTileArchiveName = "data.dat";

// Creates the archive on fileName and opens it with every entry read at
// once. The archive comes back even when the file is missing or refused:
// it then holds no entries, and every tile is drawn as its character.
std::unique_ptr<DataArchive> openTileArchive(const char* fileName = kTileArchiveName);

// The picture of every tile code: 256 slots, each a bitmap in the current
// colour depth or empty. The slots own their bitmaps.
class TileSet {
 public:
  static constexpr int kSlotCount = 256;

  TileSet() = default;
  ~TileSet();
  TileSet(const TileSet&) = delete;
  TileSet& operator=(const TileSet&) = delete;

  // Fills every slot from the archive: code n from the entry named n in
  // decimal followed by ".bmp" ("0.bmp" .. "255.bmp", exactly so), decoded
  // with no palette. A missing or refused entry leaves its slot empty.
  // Pictures held before are destroyed first. Gives the number of pictures.
  int load(DataArchive& archive);

  // The code's picture, or null when its slot is empty. Pictures keep the
  // size they were stored at; 18 x 20 is what the editor draws.
  BITMAP* picture(TileCode code) const { return slots_[code]; }
  int pictureCount() const;
  // Destroys every picture; all slots become empty.
  void clear();

  // The entry name that holds the picture of code: "7.bmp" for 7.
  static std::string entryName(TileCode code);

  // Changes whenever the slots may have changed (load, clear), so that what
  // is drawn from the pictures can tell whether it is still up to date.
  unsigned long long revision() const { return revision_; }

 private:
  BITMAP* slots_[kSlotCount] = {};
  unsigned long long revision_ = 0;
};

}  // namespace vek
