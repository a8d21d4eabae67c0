#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vek {

// Builds a data.dat archive that DataArchive reads: the header, the index in
// the order entries were added, then each entry's data in the same order.
class ArchiveWriter {
 public:
  enum class AddResult { Added, BadName, NameTooLong, DuplicateName, TooLarge, BadUnit };

  // Adds an entry. With unit n > 0 the data is run-length coded in units of
  // n bytes when that makes it smaller and the data is a whole number of
  // units (a last run that passes the end is legal in the format, but a
  // careless reader would write past its block, so none is ever written);
  // otherwise, and with unit 0, it is stored as it is. Names are 1 to 255
  // bytes without a zero byte, and unique.
  AddResult add(const std::string& name, const std::string& bytes, int unit = 0);

  std::size_t entryCount() const { return entries_.size(); }
  // The unit the entry was written with: 0 when stored as it is.
  int storedUnit(std::size_t index) const { return entries_[index].unit; }

  // The whole archive; false when it would not fit the format's 32-bit offsets.
  bool build(std::string& archive) const;
  // Writes the archive to path through a temporary file renamed over it, so
  // an earlier file at path stays whole when anything fails.
  bool writeFile(const char* path) const;

  static const char* describe(AddResult result);

 private:
  struct Entry {
    std::string name;
    std::int32_t size;
    std::int32_t unit;
    std::string stored;
  };
  std::vector<Entry> entries_;
};

// Codes data, a whole number of units long, as runs: a 16-bit repeat count
// and one unit, for each stretch of equal units (at most 65,535 per run).
std::string encodeRuns(const std::string& data, std::size_t unit);

}  // namespace vek
