// data.dat from anywhere, preloaded and on demand, every entry read: nothing
// outside the archive's bytes and blocks, and the data agrees with the index.
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "resources/data_archive.h"

namespace {

using vek::fuzz::require;

// Touches the first and last byte of a block, so a block shorter than it
// claims shows up in the address sanitizer.
void touch(const unsigned char* block, std::size_t size) {
  if (size == 0) return;
  volatile unsigned char first = block[0];
  volatile unsigned char last = block[size - 1];
  (void)first;
  (void)last;
}

void readEveryEntry(vek::DataArchive& archive, bool backwards) {
  int count = archive.count();
  for (int k = 0; k < count; ++k) {
    int i = backwards ? count - 1 - k : k;
    const vek::IndexEntry* entry = archive.entry(i);
    require(entry != nullptr, "every index below count has an entry");
    std::size_t size = 0;
    const unsigned char* block = archive.entryData(i, &size);
    if (block) {
      require(entry->size >= 0 && size == static_cast<std::size_t>(entry->size),
              "a block is as long as its entry says");
      touch(block, size);
    } else {
      require(size == 0, "no block gives size 0");
    }
    std::size_t sizeAgain = 0;
    require(archive.entryData(i, &sizeAgain) == block && sizeAgain == size,
            "a second request gives the same block");
    int found = archive.find(entry->name);
    require(found <= i, "find gives the first entry of a name");
    if (entry->nameTerminated) require(found >= 0, "a terminated name is found");
  }
  require(archive.entryData(count) == nullptr && archive.entryData(-1) == nullptr,
          "indexes out of range give nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vek::DataArchive archive;
  if (archive.openMemory(data, size, 1)) readEveryEntry(archive, false);

  // On demand, in the other order, after a release and a fresh open.
  archive.release();
  require(archive.count() == 0 && archive.entryData(0) == nullptr, "release drops everything");
  if (archive.openMemory(data, size, 0)) readEveryEntry(archive, true);
  return 0;
}
