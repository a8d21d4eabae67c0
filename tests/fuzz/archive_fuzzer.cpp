// data.dat from anywhere, preloaded and on demand, every entry read: nothing
// outside the archive's bytes and blocks, and the data agrees with the index.
#include <cstdint>

#include "fuzz_check.h"
#include "resources/data_archive.h"

using vek::fuzz::require;

// Takes each block's last byte: a block shorter than it claims shows in ASan.
static volatile unsigned char sink;

static void readEveryEntry(vek::DataArchive& archive, bool backwards) {
  int count = archive.count();
  for (int k = 0; k < count; ++k) {
    int i = backwards ? count - 1 - k : k;
    const vek::IndexEntry& entry = *archive.entry(i);
    std::size_t size = 0, sizeAgain = 0;
    const unsigned char* block = archive.entryData(i, &size);
    require(block ? entry.size >= 0 && size == static_cast<std::size_t>(entry.size) : size == 0,
            "a block is as long as its entry says, and no block gives size 0");
    if (size > 0) sink = block[size - 1];
    require(archive.entryData(i, &sizeAgain) == block && sizeAgain == size,
            "a second request gives the same block");
    int found = archive.find(entry.name);
    require(found <= i && (found >= 0 || !entry.nameTerminated),
            "find gives the first entry of a name and finds every terminated name");
  }
  require(archive.entryData(count) == nullptr && archive.entryData(-1) == nullptr,
          "indexes out of range give nothing");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vek::DataArchive archive;
  if (archive.openMemory(data, size, 1)) readEveryEntry(archive, false);
  // On demand, in the other order, after a release and a fresh open.
  archive.release();
  require(archive.count() == 0 && archive.entryData(0) == nullptr, "release drops everything");
  if (archive.openMemory(data, size, 0)) readEveryEntry(archive, true);
  return 0;
}
