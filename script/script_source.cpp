#include "script_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace vek {
namespace {

class OpenFile {
 public:
  explicit OpenFile(const char* path)
      // Non-blocking, so that opening a pipe cannot hang (it is refused
      // below); reads of a regular file do not change with the flag.
      : fd_(path ? ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int fd() const { return fd_; }

 private:
  int fd_;
};

bool reserveCode(std::size_t size, ScriptCode& code) {
  try {
    code.assign(size + 1, '\0');
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace

ScriptReadResult readScriptBytes(int fd, std::size_t expectedSize, ScriptCode& code) {
  code.clear();
  if (expectedSize > kMaxScriptBytes || !reserveCode(expectedSize, code)) {
    code.clear();
    return ScriptReadResult::LoadFailed;
  }
  std::size_t filled = 0;
  while (filled < expectedSize) {
    ssize_t got = ::read(fd, code.data() + filled, expectedSize - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      code.clear();
      return ScriptReadResult::LoadFailed;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  code.resize(filled + 1);
  code[filled] = '\0';
  return ScriptReadResult::Read;
}

ScriptReadResult readScriptFile(const char* path, ScriptCode& code) {
  code.clear();
  OpenFile file(path);
  if (file.fd() < 0) return ScriptReadResult::OpenFailed;
  struct stat info;
  if (::fstat(file.fd(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return ScriptReadResult::OpenFailed;
  }
  if (info.st_size < 0) return ScriptReadResult::LoadFailed;
  return readScriptBytes(file.fd(), static_cast<std::size_t>(info.st_size), code);
}

}  // namespace vek
