#include "resources/bitmap_decoder.h"

#include <allegro/internal/aintern.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/byte_cursor.h"

namespace vek {
namespace {

constexpr std::uint16_t kBitmapType = 0x4D42;  // "BM"
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kWindowsHeaderSize = 40;
constexpr std::uint32_t kOs2HeaderSize = 12;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

struct BitmapInfo {
  std::uint32_t pixelOffset = 0;
  bool os2 = false;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kRgb;
};

bool readFileHeader(ByteCursor& in, BitmapInfo& info) {
  std::uint16_t type, reserved;
  std::uint32_t fileSize;
  return in.readU16(type) && type == kBitmapType && in.readU32(fileSize) && in.readU16(reserved) &&
         in.readU16(reserved) && in.readU32(info.pixelOffset);
}

bool readWindowsHeader(ByteCursor& in, BitmapInfo& info) {
  std::uint16_t planes;
  // Image size, resolutions and colour counts follow; nothing uses them.
  return in.readS32(info.width) && in.readS32(info.height) && in.readU16(planes) &&
         in.readU16(info.bitCount) && in.readU32(info.compression) && in.skip(5 * 4);
}

bool readOs2Header(ByteCursor& in, BitmapInfo& info) {
  std::uint16_t width, height, planes;
  if (!in.readU16(width) || !in.readU16(height) || !in.readU16(planes) ||
      !in.readU16(info.bitCount)) {
    return false;
  }
  info.os2 = true;
  info.width = width;
  info.height = height;
  info.compression = kRgb;
  return true;
}

bool readInfoHeader(ByteCursor& in, BitmapInfo& info) {
  std::uint32_t headerSize;
  if (!in.readU32(headerSize)) return false;
  if (headerSize == kWindowsHeaderSize) return readWindowsHeader(in, info);
  if (headerSize == kOs2HeaderSize) return readOs2Header(in, info);
  return false;
}

bool dimensionsAccepted(const BitmapInfo& info) {
  return info.width >= 1 && info.width <= kMaxBitmapSide && info.height >= 1 &&
         info.height <= kMaxBitmapSide;
}

// The palette fills the room between the headers and the pixel data offset.
// Entries past the 256 a palette holds are read past, so the pixels start
// where the offset says.
bool readPalette(ByteCursor& in, const BitmapInfo& info, RGB* palette) {
  std::uint32_t headersEnd = kFileHeaderSize + (info.os2 ? kOs2HeaderSize : kWindowsHeaderSize);
  std::uint32_t entrySize = info.os2 ? 3 : 4;
  if (info.pixelOffset < headersEnd) return false;
  std::uint32_t entries = (info.pixelOffset - headersEnd) / entrySize;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const unsigned char* bgr = in.take(entrySize);
    if (!bgr) return false;
    if (i < PAL_SIZE) {
      palette[i].r = static_cast<unsigned char>(bgr[2] / 4);
      palette[i].g = static_cast<unsigned char>(bgr[1] / 4);
      palette[i].b = static_cast<unsigned char>(bgr[0] / 4);
    }
  }
  return true;
}

int depthFromBitCount(std::uint16_t bitCount) {
  if (bitCount == 24) return 24;
  if (bitCount == 16) return 16;
  return 8;
}

// Bit-field images choose their pixel layout by the red and blue masks
// alone; 0 for masks that match none of the three layouts.
int depthFromMasks(ByteCursor& in) {
  std::uint32_t red, green, blue;
  if (!in.readU32(red) || !in.readU32(green) || !in.readU32(blue)) return 0;
  if (blue == 0x1F && red == 0x7C00) return 15;
  if (blue == 0x1F && red == 0xF800) return 16;
  if (blue == 0xFF && red == 0xFF0000) return 32;
  return 0;
}

std::size_t paddedRowBytes(std::size_t bits) { return (bits + 31) / 32 * 4; }

// Reads the row of one bitmap line into a buffer of its padded length. A row
// that the data cuts short keeps zeros where bytes are missing; false when
// no byte of the row was there.
bool readRow(ByteCursor& in, std::vector<unsigned char>& row) {
  std::fill(row.begin(), row.end(), 0);
  return row.empty() || in.readBlock(row.data(), row.size()) > 0;
}

void storeIndexedRow(const std::vector<unsigned char>& row, int bitCount, BITMAP* bitmap,
                     int line) {
  for (int x = 0; x < bitmap->w; ++x) {
    unsigned index;
    if (bitCount == 1) {
      index = (row[x / 8] >> (7 - x % 8)) & 1;
    } else if (bitCount == 4) {
      index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    } else {
      index = row[x];
    }
    _putpixel(bitmap, x, line, static_cast<int>(index));
  }
}

void storeRgbRow(const std::vector<unsigned char>& row, BITMAP* bitmap, int line) {
  for (int x = 0; x < bitmap->w; ++x) {
    const unsigned char* bgr = &row[static_cast<std::size_t>(x) * 3];
    int colour =
        (bgr[2] << _rgb_r_shift_24) | (bgr[1] << _rgb_g_shift_24) | (bgr[0] << _rgb_b_shift_24);
    _putpixel24(bitmap, x, line, colour);
  }
}

// Uncompressed rows, bottom-up. Bit counts other than 1, 4, 8 and 24 read
// nothing and leave the bitmap cleared.
void readUncompressed(ByteCursor& in, const BitmapInfo& info, BITMAP* bitmap) {
  int bitCount = info.bitCount;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return;
  std::vector<unsigned char> row(paddedRowBytes(static_cast<std::size_t>(bitmap->w) * bitCount));
  for (int line = bitmap->h - 1; line >= 0; --line) {
    if (!readRow(in, row)) return;
    if (bitCount == 24) {
      storeRgbRow(row, bitmap, line);
    } else {
      storeIndexedRow(row, bitCount, bitmap, line);
    }
  }
}

int composeBitFieldPixel(std::uint32_t v, int depth) {
  switch (depth) {
    case 15:
      return static_cast<int>((((v >> 10) & 0x1F) << _rgb_r_shift_15) |
                              (((v >> 5) & 0x1F) << _rgb_g_shift_15) |
                              ((v & 0x1F) << _rgb_b_shift_15));
    case 16:
      return static_cast<int>((((v >> 11) & 0x1F) << _rgb_r_shift_16) |
                              (((v >> 5) & 0x3F) << _rgb_g_shift_16) |
                              ((v & 0x1F) << _rgb_b_shift_16));
    default:
      return static_cast<int>((((v >> 16) & 0xFF) << _rgb_r_shift_32) |
                              (((v >> 8) & 0xFF) << _rgb_g_shift_32) |
                              ((v & 0xFF) << _rgb_b_shift_32));
  }
}

void readBitFields(ByteCursor& in, int depth, BITMAP* bitmap) {
  std::size_t bytesPerPixel = (static_cast<std::size_t>(depth) + 7) / 8;
  std::vector<unsigned char> row(paddedRowBytes(bitmap->w * bytesPerPixel * 8));
  for (int line = bitmap->h - 1; line >= 0; --line) {
    if (!readRow(in, row)) return;
    for (int x = 0; x < bitmap->w; ++x) {
      const unsigned char* at = &row[x * bytesPerPixel];
      std::uint32_t v = 0;
      for (std::size_t byte = 0; byte < bytesPerPixel; ++byte)
        v |= std::uint32_t{at[byte]} << (8 * byte);
      int colour = composeBitFieldPixel(v, depth);
      if (depth == 15) {
        _putpixel15(bitmap, x, line, colour);
      } else if (depth == 16) {
        _putpixel16(bitmap, x, line, colour);
      } else {
        _putpixel32(bitmap, x, line, colour);
      }
    }
  }
}

// Run-length decoding into an 8-bit bitmap. Pixels that runs, deltas or
// absolute runs put outside the bitmap are dropped.
class RleDecoder {
 public:
  RleDecoder(ByteCursor& in, BITMAP* bitmap, bool fourBit)
      : in_(in), bitmap_(bitmap), fourBit_(fourBit), line_(bitmap->h - 1) {}

  void run() {
    while (line_ >= 0) {
      std::uint8_t count, value;
      if (!in_.readU8(count) || !in_.readU8(value)) return;
      if (count > 0) {
        for (int k = 0; k < count; ++k) put(fourBit_ ? nibble(value, k) : value);
      } else if (value == 0) {
        endLine();
        continue;
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        if (!delta()) return;
      } else if (!absolute(value)) {
        return;
      }
      // A line that has run past the right edge ends by itself.
      if (x_ - 1 > bitmap_->w) endLine();
    }
  }

 private:
  static unsigned nibble(unsigned byte, int k) { return k % 2 == 0 ? byte >> 4 : byte & 0x0F; }

  void put(unsigned index) {
    if (x_ >= 0 && x_ < bitmap_->w && line_ >= 0 && line_ < bitmap_->h) {
      _putpixel(bitmap_, x_, line_, static_cast<int>(index));
    }
    ++x_;
  }

  void endLine() {
    --line_;
    x_ = 0;
  }

  bool delta() {
    std::uint8_t dx, dy;
    if (!in_.readU8(dx) || !in_.readU8(dy)) return false;
    x_ += dx;
    line_ -= dy;
    return true;
  }

  // An absolute run of n pixels fills whole 16-bit words: RLE8 one byte per
  // pixel, RLE4 one nibble per pixel, high nibble first.
  bool absolute(int n) {
    std::size_t bytes = fourBit_ ? (static_cast<std::size_t>(n) + 3) / 4 * 2
                                 : (static_cast<std::size_t>(n) + 1) / 2 * 2;
    const unsigned char* data = in_.take(bytes);
    if (!data) return false;
    for (int k = 0; k < n; ++k) put(fourBit_ ? nibble(data[k / 2], k) : data[k]);
    return true;
  }

  ByteCursor& in_;
  BITMAP* bitmap_;
  bool fourBit_;
  int line_;
  int x_ = 0;
};

// The headers, the palette or masks, and the pixel data, into a bitmap of
// the source depth; null when the file is refused.
BITMAP* readBitmap(ByteCursor& in, RGB* palette, int& sourceDepth) {
  BitmapInfo info;
  if (!readFileHeader(in, info) || !readInfoHeader(in, info) || !dimensionsAccepted(info) ||
      info.compression > kBitFields) {
    return nullptr;
  }
  sourceDepth = depthFromBitCount(info.bitCount);
  if (info.compression == kBitFields) {
    sourceDepth = depthFromMasks(in);
    if (sourceDepth == 0) return nullptr;
  } else if (!readPalette(in, info, palette)) {
    return nullptr;
  }
  bool runLength = info.compression == kRle8 || info.compression == kRle4;
  if (runLength && sourceDepth != 8) return nullptr;

  BITMAP* bitmap = create_bitmap_ex(sourceDepth, info.width, info.height);
  if (!bitmap) return nullptr;
  clear_bitmap(bitmap);
  if (info.compression == kRgb) {
    readUncompressed(in, info, bitmap);
  } else if (runLength) {
    RleDecoder(in, bitmap, info.compression == kRle4).run();
  } else {
    readBitFields(in, sourceDepth, bitmap);
  }
  return bitmap;
}

}  // namespace

BITMAP* decodeBitmap(const unsigned char* data, std::size_t size, PALETTE* palette) {
  if (!data) return nullptr;
  PALETTE scratch = {};  // black wherever the file gives no colour
  RGB* inUse = palette ? *palette : scratch;
  ByteCursor in(data, size);

  int sourceDepth = 8;
  BITMAP* bitmap = readBitmap(in, inUse, sourceDepth);
  if (!bitmap) return nullptr;

  int destinationDepth = _color_load_depth(sourceDepth, FALSE);
  if (destinationDepth != sourceDepth) {
    // An 8-bit image always converts through its own palette.
    RGB* conversionPalette = sourceDepth != 8 && !palette ? nullptr : inUse;
    bitmap = _fixup_loaded_bitmap(bitmap, conversionPalette, destinationDepth);
    if (!bitmap) return nullptr;
  }
  if (palette && sourceDepth != 8 && destinationDepth != 8) generate_332_palette(*palette);
  return bitmap;
}

}  // namespace vek
