#pragma once

// The editor keeps its paths and names in fixed buffers of kPathCapacity
// bytes (1,023 characters and the terminator).

#include <optional>
#include <string>

#include "map/map_naming.h"

namespace vek {

// Copies text into a buffer of kPathCapacity bytes. Nothing (and false)
// when there is no text or it would not fit: the buffer keeps what it held.
bool storePath(char* buffer, const std::optional<std::string>& text);

}  // namespace vek
