#pragma once

// Whether an existing file can be a map file at all, before it is read: the
// editor and vekgen refuse the same files with the same reasons.

#include <cstdint>
#include <optional>
#include <string>

namespace vek {

// Whether a file of this many bytes is larger than any map file can be: the
// reader never looks further than kMapBytesConsumedAtMost, so such a file
// is not a map (and writing it back would cut it).
bool largerThanAnyMap(std::uint64_t bytes);

// Why the file at path cannot be read as a map: it is a folder or another
// kind of non-regular file, it is larger than the reader ever looks
// (kMapBytesConsumedAtMost), or it cannot be opened for reading (the
// system's reason). Nothing when it may be read; a missing file is reported
// as such ("No such file or directory").
std::optional<std::string> mapFileProblem(const char* path);

}  // namespace vek
