#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "resources/archive_format.h"
#include "resources/archive_source.h"

namespace vek {

// The resource archive (data.dat): named byte blobs, stored as they are or
// run-length coded (see archive_format.h). The file is opened for reading
// only and never written.
//
// Every header, index record and run is read through a bounds-checked
// cursor, and every size is checked against the file before anything is
// allocated: a header or index that cannot be right makes open fail, a bad
// entry gives no data while the others still load.
class DataArchive {
 public:
  // Stores the file name; opens nothing.
  explicit DataArchive(const char* fileName = nullptr);
  ~DataArchive();
  DataArchive(const DataArchive&) = delete;
  DataArchive& operator=(const DataArchive&) = delete;

  // Reads the header and index of the stored file name. With preload 1
  // every entry is read now; otherwise each entry is read from the file on
  // its first request, so the file stays open. False (and no entries) when
  // no file name is stored, the file cannot be read, or the header or index
  // is not valid.
  bool open(int preload);
  // Stores fileName in place of the earlier one, then open(preload). The same
  // name reuses the file already open; another name opens that file instead.
  bool openFile(const char* fileName, int preload);
  // As open, over a copy of an archive's bytes held in memory.
  bool openMemory(const void* data, std::size_t size, int preload);

  // Index of the first entry whose name equals name exactly, case included;
  // -1 when there is none.
  int find(const char* name) const;

  // The expanded bytes of an entry, read on the first request and owned by
  // the archive until release, the next open or destruction; the same block
  // on every later request. Null for an index out of range or an entry that
  // cannot be read. When size is given it receives the block's length (0
  // with a null result). An empty entry gives a valid pointer and size 0.
  const unsigned char* entryData(int index, std::size_t* size = nullptr);
  const unsigned char* entryData(const char* name, std::size_t* size = nullptr);

  // Drops the index and every data block; the count becomes 0. The file
  // stays open for a later open.
  void release();

  int count() const { return static_cast<int>(index_.size()); }
  // The index record as read from the file; null out of range.
  const IndexEntry* entry(int index) const;
  const std::string& fileName() const { return fileName_; }

  // Limits on expanded data, because a few bytes of runs can ask for
  // gigabytes: one entry holds at most the largest picture the decoder
  // accepts (4,096 x 4,096 at 32 bits) with room for its headers, and all
  // blocks held at once at most 1 GiB. Entries beyond them give no data.
  static constexpr std::size_t kMaxEntrySize = std::size_t{65} << 20;
  static constexpr std::size_t kMaxHeldBytes = std::size_t{1} << 30;

 private:
  struct Slot {
    std::unique_ptr<unsigned char[]> block;
    std::size_t size = 0;
    bool read = false;
  };

  bool openSource(int preload);
  bool loadIndex();
  const unsigned char* readEntry(int index);
  std::unique_ptr<unsigned char[]> loadBlock(const IndexEntry& entry);
  bool readStoredRuns(const IndexEntry& entry, std::size_t unit, unsigned char* block);

  std::string fileName_;
  std::string sourcePath_;  // file behind source_, empty for memory
  std::unique_ptr<ArchiveSource> source_;
  std::vector<IndexEntry> index_;
  std::vector<Slot> slots_;
  std::size_t heldBytes_ = 0;
};

}  // namespace vek
