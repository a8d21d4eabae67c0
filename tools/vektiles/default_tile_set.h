#pragma once

#include <string>
#include <vector>

#include "bmp_writer.h"
#include "map/map.h"
#include "resources/archive_writer.h"

namespace vek {

// One picture of the default tile set as written into the archive.
struct TileFile {
  TileCode code;
  std::string name;  // "0.bmp" .. "255.bmp"
  BmpEncoding encoding;
  std::string bytes;
};

// The encoding of a code's picture. The codes cycle through every encoding
// so the set exercises each; a picture with more colours than the chosen
// palette holds falls back to 8 bits.
BmpEncoding encodingForTile(TileCode code, std::size_t colourCount);

// The run-length unit an entry in this encoding is offered: one pixel for
// true-colour pixels, one byte otherwise. The archive writer still stores
// the entry as it is when coding would not make it smaller.
int runUnitFor(BmpEncoding encoding);

// The 256 pictures of the default set, codes 0 to 255.
std::vector<TileFile> defaultTileFiles();

// Adds every picture to the archive under its entry name.
bool addDefaultTiles(const std::vector<TileFile>& files, ArchiveWriter& archive);

}  // namespace vek
