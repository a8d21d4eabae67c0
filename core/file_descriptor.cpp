#include "core/file_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vek {

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileDescriptor::close() {
  int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

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

int openFolder(const std::string& folder) {
  return ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool syncFolder(const std::string& folder) {
  FileDescriptor dir(openFolder(folder));
  return dir.valid() && ::fsync(dir.get()) == 0;
}

std::string systemReason() { return std::strerror(errno); }

}  // namespace vek
