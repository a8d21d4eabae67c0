#pragma once

#include <cstddef>
#include <string>

namespace vek {

// What the editor would make of an entry's bytes as a tile picture.
struct PictureCheck {
  enum class Verdict { Usable, WrongSize, Unusable };
  Verdict verdict = Verdict::Usable;
  // For the other verdicts: "picture 16 x 16, not 18 x 20" or
  // "not a usable picture: <the decoder's reason>".
  std::string text;
};

PictureCheck checkPicture(const unsigned char* data, std::size_t size);

// True for the names the editor reads its tiles from: "0.bmp" to "255.bmp",
// exactly so.
bool isTileEntryName(const std::string& name);

}  // namespace vek
