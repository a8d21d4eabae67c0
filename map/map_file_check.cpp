#include "map/map_file_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "map/map_file.h"

namespace vek {

bool largerThanAnyMap(std::uint64_t bytes) { return bytes > kMapBytesConsumedAtMost; }

std::optional<std::string> mapFileProblem(const char* path) {
  if (!path || !*path) return std::string("no file name");
  struct stat info;
  if (::stat(path, &info) != 0) return std::string(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return std::string("it is a folder");
  if (!S_ISREG(info.st_mode)) return std::string("it is not a regular file");
  if (largerThanAnyMap(static_cast<std::uint64_t>(info.st_size))) {
    return "it is larger than a map file can be (" + std::to_string(info.st_size) +
           " bytes; at most " + std::to_string(kMapBytesConsumedAtMost) + ")";
  }
  int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::string(std::strerror(errno));
  ::close(fd);
  return std::nullopt;
}

}  // namespace vek
