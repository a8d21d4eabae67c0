#include "resources/tile_set.h"

#include "resources/bitmap_decoder.h"

namespace vek {

std::unique_ptr<DataArchive> openTileArchive(const char* fileName) {
  auto archive = std::make_unique<DataArchive>(fileName);
  archive->open(1);  // a failed open leaves no entries, which is all the editor needs to know
  return archive;
}

TileSet::~TileSet() { clear(); }

int TileSet::load(DataArchive& archive) {
  clear();
  int loaded = 0;
  for (int code = 0; code < kSlotCount; ++code) {
    std::size_t size = 0;
    const unsigned char* bytes =
        archive.entryData(entryName(static_cast<TileCode>(code)).c_str(), &size);
    if (!bytes) continue;
    slots_[code] = decodeBitmap(bytes, size, nullptr);
    if (slots_[code]) ++loaded;
  }
  ++revision_;
  return loaded;
}

int TileSet::pictureCount() const {
  int count = 0;
  for (BITMAP* slot : slots_) count += slot ? 1 : 0;
  return count;
}

void TileSet::clear() {
  ++revision_;
  for (BITMAP*& slot : slots_) {
    if (slot) destroy_bitmap(slot);
    slot = nullptr;
  }
}

std::string TileSet::entryName(TileCode code) { return std::to_string(code) + ".bmp"; }

}  // namespace vek
