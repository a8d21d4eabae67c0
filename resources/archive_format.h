#pragma once

// The layout of a data.dat archive, shared by the reader and the writer.
// All numbers are little-endian; offsets count from the start of the file.
//
//   header (20 bytes)   "DATAVER00.01.00" and a zero byte, then the entry
//                       count (signed 32-bit)
//   index               count entries of 268 bytes, from offset 20:
//                       name (256 bytes, zero-terminated), size (expanded
//                       length, signed 32-bit), offset (of the stored data,
//                       32-bit), unit (0: stored as is; n > 0: runs of a
//                       16-bit repeat count followed by n bytes)
//   entry data          anywhere after that, in any order

#include <cstddef>
#include <cstdint>

#include "core/byte_cursor.h"

namespace vek {

inline constexpr char kArchiveMagic[16] = "DATAVER00.01.00";  // 15 characters and a zero
inline constexpr std::size_t kArchiveHeaderSize = 20;
inline constexpr std::size_t kIndexEntrySize = 268;
inline constexpr std::size_t kEntryNameCapacity = 256;  // terminator included
inline constexpr std::size_t kRunCountSize = 2;
inline constexpr std::uint32_t kMaxRunCount = 0xFFFF;

// One index record as it stands in the file.
struct IndexEntry {
  char name[kEntryNameCapacity];  // always zero-terminated in memory
  bool nameTerminated;            // false: the file gave 256 bytes without a zero
  std::int32_t size;
  std::uint32_t offset;
  std::int32_t unit;
};

// Reads the 20-byte header. False when it is cut short or its first 16
// bytes are not the magic with its zero; count may still be negative.
bool readArchiveHeader(ByteCursor& cursor, std::int32_t& count);

// Reads one 268-byte index record; false when it is cut short.
bool readIndexEntry(ByteCursor& cursor, IndexEntry& entry);

// Expands runs of unit bytes into block until size bytes are written. A last
// run that passes the end is cut at the end of the block. False when the runs
// end before the block is full.
bool expandRuns(ByteCursor& runs, std::size_t unit, unsigned char* block, std::size_t size);

// The most that storedBytes of runs in units of unit bytes can expand to:
// a size above it cannot be right, whatever the runs say.
std::uint64_t maxRunExpansion(std::uint64_t storedBytes, std::size_t unit);

// Stored bytes that runs filling size bytes need at most when no run has a
// zero count (one unit per run).
std::uint64_t maxRunStorage(std::uint64_t size, std::size_t unit);

}  // namespace vek
