#pragma once

#include <cstddef>
#include <string>

namespace vek {

// Reads at most maxBytes from the start of a regular file, opened for
// reading only. False when it cannot be opened or read, or is not a regular
// file (a folder, a pipe, a device).
bool readFileStart(const char* path, std::size_t maxBytes, std::string& bytes);

// Replaces the file at path with bytes so that a failure at any point, a
// full disk, a killed process or a power cut included, leaves either the
// earlier file byte for byte or the complete new one: the bytes go to a
// temporary file in the same folder (a hidden name that does not end in
// ".MAP"), every write and the close are checked, the file is synced, and
// only then is it renamed over path; the folder is synced after the rename,
// so the new name survives a power cut too. A file that is replaced keeps
// its permission bits. False on any failure, with the system's reason in
// reason when given; the temporary file is then removed.
bool replaceFile(const char* path, const std::string& bytes, std::string* reason = nullptr);

// A temporary file of replaceFile outlives its save only when the process
// dies between creating and renaming it (a kill, a crash, a power cut).
// Removes such leftovers from folder (a folder part: empty for the working
// directory, else ending in '/'), and nothing else: only regular files of
// this user named exactly as replaceFile names them, whose process no
// longer runs and which have not changed for staleAfterSeconds, so a save
// in progress, here or from another machine sharing the folder, keeps its
// file. Gives the number removed.
inline constexpr long kStaleTempFileSeconds = 600;
int removeStaleTempFiles(const std::string& folder,
                         long staleAfterSeconds = kStaleTempFileSeconds);

}  // namespace vek
