#pragma once

// The temporary files of safe writes: hidden names of the form
// ".vekmap-PID-N.tmp" in the folder of the file they replace, so that a
// rename moves them into place and no map dialog lists them.

#include <sys/types.h>

#include <string>

#include "core/file_descriptor.h"

namespace vek {

// A name no other temporary file of this process has had.
std::string newTempFileName();

// Creates a new, empty temporary file in folder (a folder part) for
// writing; gives its path in tempPath. -1 (errno set) on failure.
int createTempFile(const std::string& folder, std::string& tempPath);

// Writes bytes into the new temporary file temp, gives it the permission
// bits of target when target exists, syncs it when asked, and closes it.
// False (errno set) at the first step that fails.
bool fillTempFile(FileDescriptor& temp, const char* target, const std::string& bytes, bool sync);

// The process id in a name that newTempFileName could have made; 0 for any
// other name.
pid_t tempFileOwner(const char* name);

}  // namespace vek
