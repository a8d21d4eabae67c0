#include "app/path_buffer.h"

#include <cstring>

namespace vek {

bool storePath(char* buffer, const std::optional<std::string>& text) {
  if (!text || text->size() >= kPathCapacity) return false;
  std::memcpy(buffer, text->c_str(), text->size() + 1);
  return true;
}

}  // namespace vek
