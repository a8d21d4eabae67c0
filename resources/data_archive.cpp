#include "resources/data_archive.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vek {
namespace {

std::unique_ptr<unsigned char[]> allocateBlock(std::size_t size) {
  // One byte at least, so an empty entry still has a block to point at.
  return std::unique_ptr<unsigned char[]>(
      new (std::nothrow) unsigned char[std::max<std::size_t>(size, 1)]);
}

}  // namespace

DataArchive::DataArchive(const char* fileName) : fileName_(fileName ? fileName : "") {}

DataArchive::~DataArchive() { release(); }

bool DataArchive::open(int preload) {
  release();
  if (fileName_.empty()) return false;
  if (!source_ || sourcePath_ != fileName_) {
    source_.reset();
    sourcePath_.clear();
    std::unique_ptr<FileArchiveSource> file = FileArchiveSource::open(fileName_);
    if (!file) return false;
    source_ = std::move(file);
    sourcePath_ = fileName_;
  }
  return openSource(preload);
}

bool DataArchive::openFile(const char* fileName, int preload) {
  fileName_ = fileName ? fileName : "";
  return open(preload);
}

bool DataArchive::openMemory(const void* data, std::size_t size, int preload) {
  release();
  fileName_.clear();
  sourcePath_.clear();
  source_ = std::make_unique<MemoryArchiveSource>(data, size);
  return openSource(preload);
}

bool DataArchive::openSource(int preload) {
  if (!source_->refresh() || !loadIndex()) {
    release();
    return false;
  }
  slots_.resize(index_.size());
  if (preload == 1) {
    for (int i = 0; i < count(); ++i) readEntry(i);
  }
  return true;
}

bool DataArchive::loadIndex() {
  unsigned char header[kArchiveHeaderSize];
  if (!source_->readAt(0, header, sizeof header)) return false;
  ByteCursor headerCursor(header, sizeof header);
  std::int32_t count;
  if (!readArchiveHeader(headerCursor, count) || count < 0) return false;

  // The index must lie whole in the file; this also bounds what is allocated.
  std::uint64_t indexBytes = static_cast<std::uint64_t>(count) * kIndexEntrySize;
  if (indexBytes > source_->size() - kArchiveHeaderSize) return false;
  std::vector<unsigned char> raw(static_cast<std::size_t>(indexBytes));
  if (!source_->readAt(kArchiveHeaderSize, raw.data(), raw.size())) return false;

  ByteCursor indexCursor(raw.data(), raw.size());
  index_.resize(static_cast<std::size_t>(count));
  for (IndexEntry& entry : index_) {
    if (!readIndexEntry(indexCursor, entry)) return false;
  }
  return true;
}

void DataArchive::release() {
  index_.clear();
  slots_.clear();
  heldBytes_ = 0;
}

int DataArchive::find(const char* name) const {
  if (!name) return -1;
  for (int i = 0; i < count(); ++i) {
    const IndexEntry& entry = index_[static_cast<std::size_t>(i)];
    if (entry.nameTerminated && std::strcmp(entry.name, name) == 0) return i;
  }
  return -1;
}

const IndexEntry* DataArchive::entry(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return &index_[static_cast<std::size_t>(index)];
}

const unsigned char* DataArchive::entryData(int index, std::size_t* size) {
  const unsigned char* block = nullptr;
  if (index >= 0 && index < count()) block = readEntry(index);
  if (size) *size = block ? slots_[static_cast<std::size_t>(index)].size : 0;
  return block;
}

const unsigned char* DataArchive::entryData(const char* name, std::size_t* size) {
  return entryData(find(name), size);
}

const unsigned char* DataArchive::readEntry(int index) {
  Slot& slot = slots_[static_cast<std::size_t>(index)];
  if (!slot.read) {
    // A failed read is not retried: the entry simply has no data.
    slot.read = true;
    const IndexEntry& entry = index_[static_cast<std::size_t>(index)];
    slot.block = loadBlock(entry);
    slot.size = slot.block ? static_cast<std::size_t>(entry.size) : 0;
    heldBytes_ += slot.size;
  }
  return slot.block.get();
}

std::unique_ptr<unsigned char[]> DataArchive::loadBlock(const IndexEntry& entry) {
  if (entry.size < 0 || entry.unit < 0) return nullptr;
  std::size_t size = static_cast<std::size_t>(entry.size);
  if (size > kMaxEntrySize || size > kMaxHeldBytes - heldBytes_) return nullptr;
  if (size == 0) return allocateBlock(0);  // nothing to read, whatever the offset says

  std::uint64_t fileSize = source_->size();
  std::uint64_t available = entry.offset < fileSize ? fileSize - entry.offset : 0;
  std::size_t unit = static_cast<std::size_t>(entry.unit);
  bool fits = unit == 0 ? size <= available : size <= maxRunExpansion(available, unit);
  if (!fits) return nullptr;

  std::unique_ptr<unsigned char[]> block = allocateBlock(size);
  if (!block) return nullptr;
  bool ok = unit == 0 ? source_->readAt(entry.offset, block.get(), size)
                      : readStoredRuns(entry, unit, block.get());
  if (!ok) return nullptr;
  return block;
}

// Reads the stored runs and expands them. Runs without zero counts need at
// most maxRunStorage bytes, so that much is read first; only runs with zero
// counts can need more, up to the rest of the file.
bool DataArchive::readStoredRuns(const IndexEntry& entry, std::size_t unit, unsigned char* block) {
  std::size_t size = static_cast<std::size_t>(entry.size);
  std::uint64_t available = source_->size() - entry.offset;
  std::uint64_t window = std::min(available, maxRunStorage(size, unit));
  for (;;) {
    std::vector<unsigned char> stored;
    if (window > stored.max_size()) return false;
    stored.resize(static_cast<std::size_t>(window));
    if (!source_->readAt(entry.offset, stored.data(), stored.size())) return false;
    ByteCursor runs(stored.data(), stored.size());
    if (expandRuns(runs, unit, block, size)) return true;
    if (window == available) return false;
    window = available;
  }
}

}  // namespace vek
