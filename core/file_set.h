#pragma once

// Replacing a set of files of one folder all or nothing, as a world write
// needs: after a failure, a killed process or a power cut (and the recovery
// below), either every file of the set holds its new bytes or every one
// still holds its old ones.
//
// How: every new file is written to a temporary file first, under a lock
// on the folder and with a journal ".vekmap-journal" in the folder that
// names them. Anything that can fail is met before the first rename: a
// failed write, a full disk, a file that cannot be replaced (a folder of
// that name). Then one syncfs makes all of them durable, the journal is
// rewritten to say that the renames are due and is synced, the renames are
// done, the folder is synced and the journal removed. A journal found later
// was left by a run that was killed: recovery undoes it (removes the
// temporary files) while it says the files were being written, and
// completes the renames once it says they were due.

#include <string>
#include <vector>

namespace vek {

struct FileReplacement {
  std::string path;   // a file of the folder
  std::string bytes;  // its new content
};

struct FailedFile {
  std::string path;
  std::string reason;  // the system's words, such as "No space left on device"
};

struct FileSetResult {
  int filesReplaced = 0;            // all of the set, or 0
  std::vector<FailedFile> failures; // empty when the set was replaced
  bool ok() const { return failures.empty(); }
};

// Replaces the files of the set, which all lie in folder (a folder part:
// empty for the working directory, else ending in '/'). Before it, an
// interrupted set of the folder is recovered and stale temporary files of
// single saves are removed.
FileSetResult replaceFileSet(const std::string& folder, const std::vector<FileReplacement>& files);

// Recovers a set replacement of folder that a killed process left, unless a
// running one holds the folder. Cheap when there is nothing to recover (one
// failed open), so every opening of a map of the folder can call it. True
// when a journal was recovered.
bool recoverFileSet(const std::string& folder);

// The journal's name in the folder.
inline constexpr const char* kFileSetJournalName = ".vekmap-journal";

}  // namespace vek
