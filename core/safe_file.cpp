#include "core/safe_file.h"

#include "core/folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace vek {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (it can report a
  // delayed write error).
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Temporary files are named kTempPrefix PID '-' N kTempSuffix.
constexpr char kTempPrefix[] = ".vekmap-";
constexpr char kTempSuffix[] = ".tmp";

// Creates a new, empty temporary file in folder; gives its name in tempPath.
int createTempFile(const std::string& folder, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%ld-%u%s", kTempPrefix, static_cast<long>(::getpid()),
                  counter++, kTempSuffix);
    tempPath = folder + name;
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Reads a run of decimal digits; false when there is none, or more than
// nine: no process id is that long, nine digits cannot overflow a pid_t,
// and the rare file whose serial is longer is simply left alone.
bool readDigits(const char*& text, long& value) {
  const char* start = text;
  value = 0;
  while (*text >= '0' && *text <= '9' && text - start < 9) value = value * 10 + (*text++ - '0');
  return text > start && !(*text >= '0' && *text <= '9');
}

// The process id in a name that createTempFile could have made; 0 for any
// other name.
pid_t tempFileOwner(const char* name) {
  if (std::strncmp(name, kTempPrefix, sizeof kTempPrefix - 1) != 0) return 0;
  const char* cursor = name + sizeof kTempPrefix - 1;
  long pid, serial;
  if (!readDigits(cursor, pid) || *cursor++ != '-' || !readDigits(cursor, serial)) return 0;
  if (std::strcmp(cursor, kTempSuffix) != 0) return 0;
  return pid > 0 ? static_cast<pid_t>(pid) : 0;
}

bool processRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

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

bool replaceFile(const char* path, const std::string& bytes) {
  if (!path || !*path) return false;
  std::string tempPath;
  FileDescriptor temp(createTempFile(folderPart(path), tempPath));
  if (!temp.valid()) return false;

  struct stat target;
  bool ok = writeAll(temp.get(), bytes.data(), bytes.size());
  if (ok && ::stat(path, &target) == 0) ok = ::fchmod(temp.get(), target.st_mode & 07777) == 0;
  ok = temp.close() && ok;
  ok = ok && ::rename(tempPath.c_str(), path) == 0;
  if (!ok) ::unlink(tempPath.c_str());
  return ok;
}

int removeStaleTempFiles(const std::string& folder, long staleAfterSeconds) {
  std::string dirPath = folder.empty() ? "." : folder;
  DIR* dir = ::opendir(dirPath.c_str());
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
