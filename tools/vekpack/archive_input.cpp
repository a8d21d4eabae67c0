#include "archive_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vek {

bool openArchiveForReading(const std::string& path, DataArchive& archive) {
  if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
    std::fclose(probe);
  } else {
    std::fprintf(stderr, "vekpack: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  if (!archive.openFile(path.c_str(), 0)) {
    std::fprintf(stderr, "vekpack: %s is not a data.dat archive (bad header or index)\n",
                 path.c_str());
    return false;
  }
  return true;
}

}  // namespace vek
