#pragma once

#include <string>

namespace vek {

// The BMP entry that a PNG picture is packed as, at its own size: 8 bits
// with a palette when it has at most 256 colours, 24 bits otherwise.
// Pixels less than half opaque become the editor's mask colour (magenta,
// 255 0 255), which it leaves transparent; the others keep their colour
// and drop their alpha. False, with the reason, for a PNG that cannot be
// read or is over 4,096 pixels a side.
bool bmpEntryFromPng(const std::string& png, std::string& bmp, std::string& reason);

// True for a file name that ends in ".png" in any case.
bool isPngFileName(const std::string& name);

// The entry name of a PNG file: "grass.png" gives "grass.bmp".
std::string bmpEntryName(const std::string& pngName);

}  // namespace vek
