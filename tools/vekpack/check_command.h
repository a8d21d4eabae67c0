#pragma once

#include <string>

namespace vek {

// Decodes every entry of the archive as the editor would and prints each
// that is not a usable picture, with the reason, and each picture that is
// not 18 x 20, then a summary. Gives the exit status: 1 when the archive
// cannot be read or a tile entry ("0.bmp" .. "255.bmp") is unusable,
// else 0.
int checkArchive(const std::string& path);

}  // namespace vek
