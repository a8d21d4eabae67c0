#include "core/temp_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vek {
namespace {

constexpr char kTempPrefix[] = ".vekmap-";
constexpr char kTempSuffix[] = ".tmp";

// Reads a run of decimal digits; false when there is none, or more than
// nine: no process id is that long, nine digits cannot overflow a pid_t,
// and the rare file whose serial is longer is simply left alone.
bool readDigits(const char*& text, long& value) {
  const char* start = text;
  value = 0;
  while (*text >= '0' && *text <= '9' && text - start < 9) value = value * 10 + (*text++ - '0');
  return text > start && !(*text >= '0' && *text <= '9');
}

}  // namespace

std::string newTempFileName() {
  static std::atomic<unsigned> counter{0};
  char name[64];
  std::snprintf(name, sizeof name, "%s%ld-%u%s", kTempPrefix, static_cast<long>(::getpid()),
                counter++, kTempSuffix);
  return name;
}

int createTempFile(const std::string& folder, std::string& tempPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = folder + newTempFileName();
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool fillTempFile(FileDescriptor& temp, const char* target, const std::string& bytes, bool sync) {
  if (!writeAll(temp.get(), bytes.data(), bytes.size())) return false;
  struct stat existing;
  if (::stat(target, &existing) == 0 && ::fchmod(temp.get(), existing.st_mode & 07777) != 0) {
    return false;
  }
  if (sync && ::fsync(temp.get()) != 0) return false;
  return temp.close();
}

pid_t tempFileOwner(const char* name) {
  if (std::strncmp(name, kTempPrefix, sizeof kTempPrefix - 1) != 0) return 0;
  const char* cursor = name + sizeof kTempPrefix - 1;
  long pid, serial;
  if (!readDigits(cursor, pid) || *cursor++ != '-' || !readDigits(cursor, serial)) return 0;
  if (std::strcmp(cursor, kTempSuffix) != 0) return 0;
  return pid > 0 ? static_cast<pid_t>(pid) : 0;
}

}  // namespace vek
