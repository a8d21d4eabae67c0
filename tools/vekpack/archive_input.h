#pragma once

#include <string>

#include "resources/data_archive.h"

namespace vek {

// Opens the archive at path for reading, entries read on request. False,
// with the file and the reason on standard error, when it cannot be read
// or is not an archive.
bool openArchiveForReading(const std::string& path, DataArchive& archive);

}  // namespace vek
