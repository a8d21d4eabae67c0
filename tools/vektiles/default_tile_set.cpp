#include "default_tile_set.h"

#include "tile_painter.h"

namespace vek {

BmpEncoding encodingForTile(TileCode code, std::size_t colourCount) {
  constexpr std::size_t kEncodings = sizeof kAllBmpEncodings / sizeof kAllBmpEncodings[0];
  BmpEncoding encoding = kAllBmpEncodings[code % kEncodings];
  int capacity = paletteCapacity(encoding);
  if (capacity > 0 && colourCount > static_cast<std::size_t>(capacity)) {
    encoding = colourCount <= 256 ? BmpEncoding::Indexed8 : BmpEncoding::Rgb24;
  }
  return encoding;
}

int runUnitFor(BmpEncoding encoding) {
  switch (encoding) {
    case BmpEncoding::Rgb24:
    case BmpEncoding::Os2Rgb24:
      return 3;
    case BmpEncoding::BitFields15:
    case BmpEncoding::BitFields16:
      return 2;
    case BmpEncoding::BitFields32:
      return 4;
    default:
      return 1;
  }
}

std::vector<TileFile> defaultTileFiles() {
  std::vector<TileFile> files;
  for (int value = 0; value < 256; ++value) {
    TileCode code = static_cast<TileCode>(value);
    TileImage image = paintTile(code);
    TileFile file{
        code, std::to_string(value) + ".bmp", encodingForTile(code, image.colours().size()), {}};
    encodeBmp(image, file.encoding, file.bytes);
    files.push_back(std::move(file));
  }
  return files;
}

bool addDefaultTiles(const std::vector<TileFile>& files, ArchiveWriter& archive) {
  for (const TileFile& file : files) {
    if (archive.add(file.name, file.bytes, runUnitFor(file.encoding)) !=
        ArchiveWriter::AddResult::Added) {
      return false;
    }
  }
  return true;
}

}  // namespace vek
