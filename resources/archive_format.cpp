#include "resources/archive_format.h"

#include <algorithm>
#include <cstring>

namespace vek {

bool readArchiveHeader(ByteCursor& cursor, std::int32_t& count) {
  const unsigned char* magic = cursor.take(sizeof kArchiveMagic);
  if (!magic || std::memcmp(magic, kArchiveMagic, sizeof kArchiveMagic) != 0) return false;
  return cursor.readS32(count);
}

bool readIndexEntry(ByteCursor& cursor, IndexEntry& entry) {
  const unsigned char* name = cursor.take(kEntryNameCapacity);
  if (!name) return false;
  const void* terminator = std::memchr(name, 0, kEntryNameCapacity);
  entry.nameTerminated = terminator != nullptr;
  std::memcpy(entry.name, name, kEntryNameCapacity);
  entry.name[kEntryNameCapacity - 1] = '\0';
  return cursor.readS32(entry.size) && cursor.readU32(entry.offset) && cursor.readS32(entry.unit);
}

bool expandRuns(ByteCursor& runs, std::size_t unit, unsigned char* block, std::size_t size) {
  std::size_t written = 0;
  while (written < size) {
    std::uint16_t count;
    if (!runs.readU16(count)) return false;
    const unsigned char* value = runs.take(unit);
    if (!value) return false;
    for (std::uint32_t copy = 0; copy < count && written < size; ++copy) {
      std::size_t length = std::min(unit, size - written);
      std::memcpy(block + written, value, length);
      written += length;
    }
  }
  return true;
}

std::uint64_t maxRunExpansion(std::uint64_t storedBytes, std::size_t unit) {
  std::uint64_t runs = storedBytes / (kRunCountSize + unit);
  return runs * kMaxRunCount * unit;
}

std::uint64_t maxRunStorage(std::uint64_t size, std::size_t unit) {
  std::uint64_t runs = (size + unit - 1) / unit;
  return runs * (kRunCountSize + unit);
}

}  // namespace vek
