#include "resources/archive_writer.h"

#include <cstring>
#include <limits>

#include "core/safe_file.h"
#include "resources/archive_format.h"

namespace vek {
namespace {

void appendU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void appendU32(std::string& out, std::uint32_t value) {
  appendU16(out, value & 0xFFFF);
  appendU16(out, value >> 16);
}

}  // namespace

std::string encodeRuns(const std::string& data, std::size_t unit) {
  std::string runs;
  std::size_t at = 0;
  while (at + unit <= data.size()) {
    std::uint32_t count = 1;
    while (count < kMaxRunCount && at + (count + 1) * unit <= data.size() &&
           data.compare(at + count * unit, unit, data, at, unit) == 0) {
      ++count;
    }
    appendU16(runs, count);
    runs.append(data, at, unit);
    at += count * unit;
  }
  return runs;
}

ArchiveWriter::AddResult ArchiveWriter::add(const std::string& name, const std::string& bytes,
                                            int unit) {
  if (unit < 0) return AddResult::BadUnit;
  if (name.empty() || name.find('\0') != std::string::npos) return AddResult::BadName;
  if (name.size() >= kEntryNameCapacity) return AddResult::NameTooLong;
  for (const Entry& entry : entries_) {
    if (entry.name == name) return AddResult::DuplicateName;
  }
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return AddResult::TooLarge;
  }

  Entry entry{name, static_cast<std::int32_t>(bytes.size()), 0, bytes};
  std::size_t runUnit = static_cast<std::size_t>(unit);
  if (runUnit > 0 && !bytes.empty() && bytes.size() % runUnit == 0) {
    std::string runs = encodeRuns(bytes, runUnit);
    if (runs.size() < bytes.size()) {
      entry.unit = unit;
      entry.stored = std::move(runs);
    }
  }
  entries_.push_back(std::move(entry));
  return AddResult::Added;
}

bool ArchiveWriter::build(std::string& archive) const {
  std::uint64_t offset = kArchiveHeaderSize + entries_.size() * std::uint64_t{kIndexEntrySize};
  for (const Entry& entry : entries_) offset += entry.stored.size();
  if (offset > std::numeric_limits<std::uint32_t>::max() ||
      entries_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return false;
  }

  archive.clear();
  archive.reserve(static_cast<std::size_t>(offset));
  archive.append(kArchiveMagic, sizeof kArchiveMagic);
  appendU32(archive, static_cast<std::uint32_t>(entries_.size()));

  std::uint32_t dataOffset =
      static_cast<std::uint32_t>(kArchiveHeaderSize + entries_.size() * kIndexEntrySize);
  for (const Entry& entry : entries_) {
    std::string name = entry.name;
    name.resize(kEntryNameCapacity, '\0');
    archive += name;
    appendU32(archive, static_cast<std::uint32_t>(entry.size));
    appendU32(archive, dataOffset);
    appendU32(archive, static_cast<std::uint32_t>(entry.unit));
    dataOffset += static_cast<std::uint32_t>(entry.stored.size());
  }
  for (const Entry& entry : entries_) archive += entry.stored;
  return true;
}

bool ArchiveWriter::writeFile(const char* path) const {
  std::string archive;
  return build(archive) && replaceFile(path, archive);
}

const char* ArchiveWriter::describe(AddResult result) {
  switch (result) {
    case AddResult::Added:
      return "added";
    case AddResult::BadName:
      return "an entry name must not be empty nor hold a zero byte";
    case AddResult::NameTooLong:
      return "an entry name holds at most 255 characters";
    case AddResult::DuplicateName:
      return "two entries would have the same name";
    case AddResult::TooLarge:
      return "an entry holds at most 2,147,483,647 bytes";
    case AddResult::BadUnit:
      return "the run-length unit must not be negative";
  }
  return "unknown";
}

}  // namespace vek
