#include "core/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "core/file_descriptor.h"
#include "core/folder.h"
#include "core/temp_file.h"

namespace vek {
namespace {

bool processRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

bool failWithReason(std::string* reason) {
  if (reason) *reason = systemReason();
  return false;
}

}  // namespace

bool readFileStart(const char* path, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  FileDescriptor file(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file.valid()) return false;
  struct stat info;
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;

  // Room for the size the file has now and one byte more, which tells a
  // file that grew since; growing further only then. (A buffer of maxBytes
  // every time would clear tens of kilobytes for a map of about 1,200.)
  std::size_t statedSize = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
  bytes.resize(statedSize < maxBytes ? statedSize + 1 : maxBytes);
  std::size_t filled = 0;
  while (filled < maxBytes) {
    if (filled == bytes.size()) {
      bytes.resize(std::min(maxBytes, std::max<std::size_t>(4096, 2 * bytes.size())));
    }
    ssize_t got = ::read(file.get(), &bytes[filled], bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return false;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

bool replaceFile(const char* path, const std::string& bytes, std::string* reason) {
  if (!path || !*path) {
    errno = ENOENT;
    return failWithReason(reason);
  }
  const std::string folder = folderPart(path);
  std::string tempPath;
  FileDescriptor temp(createTempFile(folder, tempPath));
  if (!temp.valid()) return failWithReason(reason);
  if (!fillTempFile(temp, path, bytes, true) || ::rename(tempPath.c_str(), path) != 0) {
    int error = errno;
    ::unlink(tempPath.c_str());
    errno = error;
    return failWithReason(reason);
  }
  // The new name is durable only once the folder is.
  return syncFolder(folder) || failWithReason(reason);
}

int removeStaleTempFiles(const std::string& folder, long staleAfterSeconds) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return 0;
  std::time_t now = std::time(nullptr);
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    pid_t owner = tempFileOwner(entry->d_name);
    if (owner == 0) continue;
    struct stat info;
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
        now - info.st_mtime < staleAfterSeconds || processRuns(owner)) {
      continue;
    }
    if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace vek
