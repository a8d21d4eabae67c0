#pragma once

// Archives built byte by byte, independently of the archive writer, so the
// reader's tests do not share the writer's mistakes.
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace vek::test {

inline std::string le16(std::uint32_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

inline std::string le32(std::uint32_t value) { return le16(value & 0xFFFF) + le16(value >> 16); }

inline std::string archiveHeader(std::int32_t count) {
  return std::string("DATAVER00.01.00", 15) + '\0' + le32(static_cast<std::uint32_t>(count));
}

inline std::string indexRecord(const std::string& name, std::int32_t size, std::uint32_t offset,
                               std::int32_t unit) {
  std::string record = name;
  record.resize(256, '\0');
  return record + le32(static_cast<std::uint32_t>(size)) + le32(offset) +
         le32(static_cast<std::uint32_t>(unit));
}

// One run: a 16-bit repeat count and its unit bytes.
inline std::string run(std::uint16_t count, const std::string& unitBytes) {
  return le16(count) + unitBytes;
}

// Marks a size taken from the stored bytes.
inline constexpr std::int64_t kStoredSize = INT64_MIN;

struct TestEntry {
  std::string name;
  std::string stored;               // the bytes at the entry's offset
  std::int64_t size = kStoredSize;  // kStoredSize: stored.size()
  std::int32_t unit = 0;
  bool storedLast = false;   // lay the data out after every other entry's, at the file's end
  std::int64_t offset = -1;  // -1: where the data is laid out
};

// Header, index and data; data in index order, those marked storedLast at the end.
inline std::string buildArchive(const std::vector<TestEntry>& entries) {
  std::uint32_t dataStart = static_cast<std::uint32_t>(20 + entries.size() * 268);
  std::vector<std::uint32_t> offsets(entries.size());
  std::string data;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].storedLast != (pass == 1)) continue;
      offsets[i] = dataStart + static_cast<std::uint32_t>(data.size());
      data += entries[i].stored;
    }
  }
  std::string archive = archiveHeader(static_cast<std::int32_t>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TestEntry& e = entries[i];
    std::int64_t size = e.size == kStoredSize ? static_cast<std::int64_t>(e.stored.size()) : e.size;
    std::uint32_t offset = e.offset < 0 ? offsets[i] : static_cast<std::uint32_t>(e.offset);
    archive += indexRecord(e.name, static_cast<std::int32_t>(size), offset, e.unit);
  }
  return archive + data;
}

}  // namespace vek::test
