#pragma once

// Archives built byte by byte, independently of the archive writer, so the
// reader's tests do not share the writer's mistakes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vek::test {

inline std::string le16(std::uint32_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}
inline std::string le32(std::uint32_t value) { return le16(value & 0xFFFF) + le16(value >> 16); }

inline std::string archiveHeader(std::int32_t count) {
  return std::string("DATAVER00.01.00", 16) + le32(static_cast<std::uint32_t>(count));
}

inline std::string indexRecord(std::string name, std::int64_t size, std::int64_t offset,
                               std::int32_t unit) {
  name.resize(256, '\0');
  return name + le32(static_cast<std::uint32_t>(size)) + le32(static_cast<std::uint32_t>(offset)) +
         le32(static_cast<std::uint32_t>(unit));
}

// One run: a 16-bit repeat count and its unit bytes.
inline std::string run(std::uint16_t count, const std::string& unitBytes) {
  return le16(count) + unitBytes;
}

struct TestEntry {
  std::string name;
  std::string stored;                  // the bytes at the entry's offset
  std::optional<std::int64_t> size = {};    // none: stored.size()
  std::int32_t unit = 0;
  bool storedLast = false;             // its data after every other entry's, at the file's end
  std::optional<std::int64_t> offset = {};  // none: where its data is laid out
};

// Header, index and data, the data in index order but for those stored last.
inline std::string buildArchive(const std::vector<TestEntry>& entries) {
  std::string data;
  std::vector<std::int64_t> offsets(entries.size());
  for (bool last : {false, true}) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].storedLast != last) continue;
      offsets[i] = static_cast<std::int64_t>(20 + entries.size() * 268 + data.size());
      data += entries[i].stored;
    }
  }
  std::string archive = archiveHeader(static_cast<std::int32_t>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TestEntry& e = entries[i];
    archive += indexRecord(e.name, e.size.value_or(e.stored.size()), e.offset.value_or(offsets[i]),
                           e.unit);
  }
  return archive + data;
}

}  // namespace vek::test
