#include "core/file_set.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/file_descriptor.h"
#include "core/folder.h"
#include "core/safe_file.h"
#include "core/temp_file.h"

namespace vek {
namespace {

// The journal: a header, the state, then one line "TEMP/TARGET" per file;
// '/' cannot occur in either name.
constexpr char kJournalHeader[] = "VEK FILE SET 1\n";
constexpr char kWritingState[] = "writing\n";
constexpr char kRenamingState[] = "renaming\n";
constexpr std::size_t kJournalBytesAtMost = std::size_t{1} << 22;

struct PendingRename {
  std::string temp;    // name in the folder
  std::string target;  // name in the folder
};

struct Journal {
  bool renaming = false;  // false: the temporary files are being written
  std::vector<PendingRename> renames;
};

bool isPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\n") == std::string::npos;
}

std::string journalText(const Journal& journal) {
  std::string text = kJournalHeader;
  text += journal.renaming ? kRenamingState : kWritingState;
  for (const PendingRename& rename : journal.renames) {
    text += rename.temp + '/' + rename.target + '\n';
  }
  return text;
}

// Only a journal as journalText writes it counts. Anything else is a journal
// torn by a kill while it was first written, before any file it names was
// made, or not one of ours.
bool parseJournal(const std::string& text, Journal& journal) {
  std::size_t headerSize = sizeof kJournalHeader - 1;
  if (text.compare(0, headerSize, kJournalHeader) != 0) return false;
  std::size_t position = headerSize;
  auto startsWith = [&](const char* state) {
    return text.compare(position, std::strlen(state), state) == 0;
  };
  if (startsWith(kRenamingState)) {
    journal.renaming = true;
    position += sizeof kRenamingState - 1;
  } else if (startsWith(kWritingState)) {
    position += sizeof kWritingState - 1;
  } else {
    return false;
  }
  while (position < text.size()) {
    std::size_t end = text.find('\n', position);
    std::size_t slash = text.find('/', position);
    if (end == std::string::npos || slash > end) return false;
    PendingRename rename{text.substr(position, slash - position),
                         text.substr(slash + 1, end - slash - 1)};
    if (tempFileOwner(rename.temp.c_str()) == 0 || !isPlainName(rename.target)) return false;
    journal.renames.push_back(rename);
    position = end + 1;
  }
  return true;
}

// An exclusive lock on the folder itself, held while a set is written or
// recovered, so that a recovery never meets a write in progress.
class FolderLock {
 public:
  FolderLock(const std::string& folder, bool wait) : dir_(openFolder(folder)) {
    int result = -1;
    if (dir_.valid()) {
      do {
        result = ::flock(dir_.get(), LOCK_EX | (wait ? 0 : LOCK_NB));
      } while (result != 0 && errno == EINTR);
    }
    locked_ = result == 0;
  }
  bool locked() const { return locked_; }
  int fd() const { return dir_.get(); }

 private:
  FileDescriptor dir_;
  bool locked_ = false;
};

// The journal's next state is written under this name and renamed over it.
constexpr char kJournalUpdateName[] = ".vekmap-journal.new";

// Writes the journal and makes it durable. The first state goes straight
// to the journal's name: torn by a kill, it names no file that exists yet.
bool writeJournal(const FolderLock& lock, const Journal& journal, bool update) {
  const char* name = update ? kJournalUpdateName : kFileSetJournalName;
  FileDescriptor file(
      ::openat(lock.fd(), name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  std::string text = journalText(journal);
  return file.valid() && writeAll(file.get(), text.data(), text.size()) &&
         ::fsync(file.get()) == 0 && file.close() &&
         (!update || ::renameat(lock.fd(), name, lock.fd(), kFileSetJournalName) == 0) &&
         ::fsync(lock.fd()) == 0;
}

// Undoes or completes the journal's set. True when the journal was dealt
// with and removed.
bool recoverLocked(const FolderLock& lock, const std::string& folder) {
  std::string text;
  if (!readFileStart((folder + kFileSetJournalName).c_str(), kJournalBytesAtMost, text)) {
    return false;
  }
  ::unlinkat(lock.fd(), kJournalUpdateName, 0);
  Journal journal;
  if (!parseJournal(text, journal)) return ::unlinkat(lock.fd(), kFileSetJournalName, 0) == 0;
  bool complete = true;
  for (const PendingRename& rename : journal.renames) {
    int done = journal.renaming
                   ? ::renameat(lock.fd(), rename.temp.c_str(), lock.fd(), rename.target.c_str())
                   : ::unlinkat(lock.fd(), rename.temp.c_str(), 0);
    // A temporary file that is gone was renamed or removed before the kill.
    if (done != 0 && errno != ENOENT) complete = false;
  }
  // A rename that failed is tried again by the next recovery.
  if (!complete || ::fsync(lock.fd()) != 0) return false;
  return ::unlinkat(lock.fd(), kFileSetJournalName, 0) == 0;
}

// Creates the temporary file of a set. A file of that name can only be a
// leftover of an earlier process with this process id, which holds no
// lock on the folder any more: it is replaced.
int createSetTempFile(const std::string& path) {
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0 && errno == EEXIST && ::unlink(path.c_str()) == 0) fd = ::open(path.c_str(), flags, 0666);
  return fd;
}

// Writes every temporary file and checks that every target can be
// replaced. False at the first failure, which is added to result.
bool writeTempFiles(const std::string& folder, const std::vector<FileReplacement>& files,
                    const Journal& journal, std::size_t& created, FileSetResult& result) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    FileDescriptor temp(createSetTempFile(folder + journal.renames[i].temp));
    if (temp.valid()) ++created;
    if (!temp.valid() || !fillTempFile(temp, files[i].path.c_str(), files[i].bytes, false)) {
      result.failures.push_back({files[i].path, systemReason()});
      return false;
    }
  }
  for (const FileReplacement& file : files) {
    struct stat target;
    if (::lstat(file.path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
      result.failures.push_back({file.path, std::strerror(EISDIR)});
      return false;
    }
  }
  return true;
}

void removeTempFiles(const FolderLock& lock, const Journal& journal, std::size_t created) {
  for (std::size_t i = 0; i < created; ++i) ::unlinkat(lock.fd(), journal.renames[i].temp.c_str(), 0);
  ::unlinkat(lock.fd(), kJournalUpdateName, 0);
  ::unlinkat(lock.fd(), kFileSetJournalName, 0);
}

std::string folderName(const std::string& folder) { return folder.empty() ? "." : folder; }

}  // namespace

FileSetResult replaceFileSet(const std::string& folder,
                             const std::vector<FileReplacement>& files) {
  FileSetResult result;
  FolderLock lock(folder, true);
  if (!lock.locked()) {
    result.failures.push_back({folderName(folder), systemReason()});
    return result;
  }
  recoverLocked(lock, folder);
  removeStaleTempFiles(folder);

  Journal journal;
  for (const FileReplacement& file : files) {
    std::string name = file.path.substr(std::min(folder.size(), file.path.size()));
    if (folderPart(file.path) != folder || !isPlainName(name)) {
      result.failures.push_back({file.path, "not a file of the folder " + folderName(folder)});
      return result;
    }
    journal.renames.push_back({newTempFileName(), name});
  }
  const std::string journalPath = folder + kFileSetJournalName;
  if (!writeJournal(lock, journal, false)) {
    result.failures.push_back({journalPath, systemReason()});
    removeTempFiles(lock, journal, 0);
    return result;
  }

  // Everything that can fail, before the first rename.
  std::size_t created = 0;
  bool ready = writeTempFiles(folder, files, journal, created, result);
  if (ready && ::syncfs(lock.fd()) != 0) {
    result.failures.push_back({folderName(folder), systemReason()});
    ready = false;
  }
  journal.renaming = true;
  if (ready && !writeJournal(lock, journal, true)) {
    result.failures.push_back({journalPath, systemReason()});
    ready = false;
  }
  if (!ready) {
    removeTempFiles(lock, journal, created);
    return result;
  }

  // From here on the set is complete on disk: a rename that fails now is
  // retried by the next recovery, which the journal left in place allows.
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (::renameat(lock.fd(), journal.renames[i].temp.c_str(), lock.fd(),
                   journal.renames[i].target.c_str()) == 0) {
      ++result.filesReplaced;
    } else {
      result.failures.push_back({files[i].path, systemReason()});
    }
  }
  if (::fsync(lock.fd()) != 0) result.failures.push_back({folderName(folder), systemReason()});
  if (result.ok()) ::unlinkat(lock.fd(), kFileSetJournalName, 0);
  return result;
}

bool recoverFileSet(const std::string& folder) {
  if (::access((folder + kFileSetJournalName).c_str(), F_OK) != 0) return false;
  FolderLock lock(folder, false);
  return lock.locked() && recoverLocked(lock, folder);
}

}  // namespace vek
