#include "bench_platform.h"

#include <cstring>

namespace vek::bench {

bool AnsweringFileDialog::chooseFile(const char*, const char*, char* path, std::size_t capacity) {
  if (answer_.empty() || answer_.size() >= capacity) return false;
  std::memcpy(path, answer_.c_str(), answer_.size() + 1);
  return true;
}

}  // namespace vek::bench
