#include "resources/archive_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vek {

MemoryArchiveSource::MemoryArchiveSource(const void* data, std::size_t size) {
  if (data && size > 0) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    bytes_.assign(bytes, bytes + size);
  }
}

bool MemoryArchiveSource::readAt(std::uint64_t offset, void* out, std::size_t length) {
  if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
  if (length > 0) std::memcpy(out, bytes_.data() + offset, length);
  return true;
}

std::unique_ptr<FileArchiveSource> FileArchiveSource::open(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  std::unique_ptr<FileArchiveSource> source(new FileArchiveSource(fd));
  if (!source->refresh()) return nullptr;
  return source;
}

FileArchiveSource::~FileArchiveSource() { ::close(fd_); }

bool FileArchiveSource::refresh() {
  struct stat info;
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  size_ = static_cast<std::uint64_t>(info.st_size);
  return true;
}

bool FileArchiveSource::readAt(std::uint64_t offset, void* out, std::size_t length) {
  if (offset > size_ || length > size_ - offset) return false;
  unsigned char* to = static_cast<unsigned char*>(out);
  while (length > 0) {
    ssize_t got = ::pread(fd_, to, length, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // an error, or the file has shrunk since it was measured
    to += got;
    offset += static_cast<std::uint64_t>(got);
    length -= static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace vek
