#include "resources/bmp_decoder.h"

#include <cinttypes>
#include <cstdio>

#include "core/byte_cursor.h"

namespace vek {
namespace {

constexpr std::uint16_t kBitmapType = 0x4D42;  // "BM"
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kOs2HeaderSize = 12;
constexpr std::uint32_t kWindowsHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

struct BmpHeader {
  std::uint32_t pixelOffset = 0;
  std::uint32_t headerSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool topDown = false;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kRgb;
  // The colour masks of the 108 and 124-byte headers.
  std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;

  bool os2() const { return headerSize == kOs2HeaderSize; }
  // The larger headers say where the pixels start; with the older two they
  // follow the palette or masks directly.
  bool seeksToPixels() const { return headerSize > kWindowsHeaderSize; }
};

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%" PRIX32, value);
  return text;
}

int bytesPerPixel(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::Rgb555:
    case PixelLayout::Rgb565:
      return 2;
    case PixelLayout::Rgb888:
      return 3;
    default:
      return 4;
  }
}

RasterColour unpackPixel(const unsigned char* at, PixelLayout layout) {
  std::uint32_t v = 0;
  for (int byte = 0; byte < bytesPerPixel(layout); ++byte) v |= std::uint32_t{at[byte]} << (8 * byte);
  switch (layout) {
    case PixelLayout::Rgb555:
      return {widenComponent((v >> 10) & 0x1F, 5), widenComponent((v >> 5) & 0x1F, 5),
              widenComponent(v & 0x1F, 5)};
    case PixelLayout::Rgb565:
      return {widenComponent((v >> 11) & 0x1F, 5), widenComponent((v >> 5) & 0x3F, 6),
              widenComponent(v & 0x1F, 5)};
    default:
      return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
              static_cast<std::uint8_t>(v)};
  }
}

class BmpReader {
 public:
  BmpReader(const unsigned char* data, std::size_t size, RasterImage& image)
      : in_(data, size), image_(image) {}

  bool read() {
    return readFileHeader() && readInfoHeader() && checkHeader() && readPaletteOrMasks() &&
           moveToPixels() && readPixels();
  }
  const std::string& reason() const { return reason_; }

 private:
  bool refuse(std::string why) {
    reason_ = std::move(why);
    return false;
  }

  bool readFileHeader() {
    std::uint16_t type, reserved;
    std::uint32_t fileSize;
    if (!in_.readU16(type) || type != kBitmapType) return refuse("not a BMP file (no \"BM\")");
    if (!in_.readU32(fileSize) || !in_.readU16(reserved) || !in_.readU16(reserved) ||
        !in_.readU32(header_.pixelOffset)) {
      return refuse("file header cut short");
    }
    return true;
  }

  bool readInfoHeader() {
    if (!in_.readU32(header_.headerSize)) return refuse("information header cut short");
    std::uint32_t size = header_.headerSize;
    bool read;
    if (size == kOs2HeaderSize) {
      read = readOs2Header();
    } else if (size == kWindowsHeaderSize || size == kV4HeaderSize || size == kV5HeaderSize) {
      read = readWindowsHeader();
    } else {
      return refuse("unsupported header size " + std::to_string(size));
    }
    return read || refuse("information header cut short");
  }

  bool readOs2Header() {
    std::uint16_t width, height, planes;
    if (!in_.readU16(width) || !in_.readU16(height) || !in_.readU16(planes) ||
        !in_.readU16(header_.bitCount)) {
      return false;
    }
    header_.width = width;
    header_.height = height;
    return true;
  }

  bool readWindowsHeader() {
    std::uint16_t planes;
    // Image size, resolutions and colour counts follow; nothing uses them.
    if (!in_.readS32(header_.width) || !in_.readS32(header_.height) || !in_.readU16(planes) ||
        !in_.readU16(header_.bitCount) || !in_.readU32(header_.compression) || !in_.skip(5 * 4)) {
      return false;
    }
    if (header_.headerSize == kWindowsHeaderSize) return true;
    std::uint32_t alphaMask;
    return in_.readU32(header_.redMask) && in_.readU32(header_.greenMask) &&
           in_.readU32(header_.blueMask) && in_.readU32(alphaMask) &&
           in_.skip(header_.headerSize - kWindowsHeaderSize - 4 * 4);
  }

  bool checkHeader() {
    // A negative height stores the rows top-down.
    if (header_.height < 0 && header_.height != INT32_MIN) {
      header_.topDown = true;
      header_.height = -header_.height;
    }
    if (header_.width < 1 || header_.width > kMaxBitmapSide || header_.height < 1 ||
        header_.height > kMaxBitmapSide) {
      return refuse("size " + std::to_string(header_.width) + " x " +
                    std::to_string(header_.height) + " is not 1 to " +
                    std::to_string(kMaxBitmapSide) + " pixels a side");
    }
    if (header_.compression > kBitFields) {
      return refuse("unsupported compression " + std::to_string(header_.compression));
    }
    if (runLength() && header_.topDown) return refuse("top-down pictures cannot be run-length coded");
    if (runLength() && (header_.bitCount == 16 || header_.bitCount == 24)) {
      return refuse("run-length data with " + std::to_string(header_.bitCount) +
                    " bits a pixel");
    }
    image_.width = header_.width;
    image_.height = header_.height;
    return true;
  }

  bool runLength() const { return header_.compression == kRle8 || header_.compression == kRle4; }

  bool readPaletteOrMasks() {
    if (header_.compression == kBitFields) return readMasks();
    image_.layout = header_.bitCount == 24   ? PixelLayout::Rgb888
                    : header_.bitCount == 16 && !runLength() ? PixelLayout::Rgb555
                    : header_.bitCount == 32 && !runLength() ? PixelLayout::Rgb888x
                                                             : PixelLayout::Indexed;
    return readPalette();
  }

  // Bit-field pictures choose their pixel layout by the red and blue masks
  // alone.
  bool readMasks() {
    if (!header_.seeksToPixels() &&
        (!in_.readU32(header_.redMask) || !in_.readU32(header_.greenMask) ||
         !in_.readU32(header_.blueMask))) {
      return refuse("bit-field masks cut short");
    }
    std::uint32_t red = header_.redMask, blue = header_.blueMask;
    if (blue == 0x1F && red == 0x7C00) {
      image_.layout = PixelLayout::Rgb555;
    } else if (blue == 0x1F && red == 0xF800) {
      image_.layout = PixelLayout::Rgb565;
    } else if (blue == 0xFF && red == 0xFF0000) {
      image_.layout = PixelLayout::Rgb888x;
    } else {
      return refuse("unsupported bit-field masks red " + hex(red) + ", green " +
                    hex(header_.greenMask) + ", blue " + hex(blue));
    }
    return true;
  }

  std::uint32_t headersEnd() const { return kFileHeaderSize + header_.headerSize; }

  // The palette fills the room between the headers and the pixel data
  // offset. Entries past the 256 a palette holds are read past.
  bool readPalette() {
    if (header_.pixelOffset < headersEnd()) {
      return refuse("pixel data offset " + std::to_string(header_.pixelOffset) +
                    " ends before the headers");
    }
    std::uint32_t entrySize = header_.os2() ? 3 : 4;
    std::uint32_t entries = (header_.pixelOffset - headersEnd()) / entrySize;
    for (std::uint32_t i = 0; i < entries; ++i) {
      const unsigned char* bgr = in_.take(entrySize);
      if (!bgr) return refuse("palette cut short");
      if (i < image_.palette.size()) image_.palette[i] = {bgr[2], bgr[1], bgr[0]};
    }
    image_.paletteCount = static_cast<int>(std::min<std::uint32_t>(entries, 256));
    return true;
  }

  bool moveToPixels() {
    if (!header_.seeksToPixels()) return true;
    if (header_.pixelOffset < headersEnd()) {
      return refuse("pixel data offset " + std::to_string(header_.pixelOffset) +
                    " ends before the headers");
    }
    if (header_.pixelOffset > in_.position() && !in_.skip(header_.pixelOffset - in_.position())) {
      return refuse("pixel data offset " + std::to_string(header_.pixelOffset) +
                    " is past the end of the file");
    }
    return true;
  }

  bool readPixels() {
    std::size_t count = static_cast<std::size_t>(image_.width) * image_.height;
    if (image_.indexed()) {
      image_.indices.assign(count, 0);
      if (runLength()) return readRunLength();
      return readIndexedRows();
    }
    image_.pixels.assign(count, RasterColour{});
    return readTrueColourRows();
  }

  int lineOfRow(int row) const { return header_.topDown ? row : image_.height - 1 - row; }

  // The row's pixel bytes in place; the padding to four bytes after them
  // may be missing at the very end.
  const unsigned char* takeRow(std::size_t pixelBytes) {
    const unsigned char* row = in_.take(pixelBytes);
    std::size_t padding = (4 - pixelBytes % 4) % 4;
    in_.skip(std::min(padding, in_.remaining()));
    return row;
  }

  // Bit counts other than 1, 4 and 8 read nothing and leave index 0.
  bool readIndexedRows() {
    int bits = header_.bitCount;
    if (bits != 1 && bits != 4 && bits != 8) return true;
    std::size_t rowBytes = (static_cast<std::size_t>(image_.width) * bits + 7) / 8;
    for (int row = 0; row < image_.height; ++row) {
      const unsigned char* bytes = takeRow(rowBytes);
      if (!bytes) return refuse("pixel data cut short");
      std::uint8_t* line = &image_.indices[static_cast<std::size_t>(lineOfRow(row)) * image_.width];
      for (int x = 0; x < image_.width; ++x) {
        if (bits == 1) {
          line[x] = (bytes[x / 8] >> (7 - x % 8)) & 1;
        } else if (bits == 4) {
          line[x] = x % 2 == 0 ? bytes[x / 2] >> 4 : bytes[x / 2] & 0x0F;
        } else {
          line[x] = bytes[x];
        }
      }
    }
    return true;
  }

  bool readTrueColourRows() {
    std::size_t pixelSize = static_cast<std::size_t>(bytesPerPixel(image_.layout));
    for (int row = 0; row < image_.height; ++row) {
      const unsigned char* bytes = takeRow(image_.width * pixelSize);
      if (!bytes) return refuse("pixel data cut short");
      RasterColour* line = &image_.pixels[static_cast<std::size_t>(lineOfRow(row)) * image_.width];
      for (int x = 0; x < image_.width; ++x) line[x] = unpackPixel(bytes + x * pixelSize, image_.layout);
    }
    return true;
  }

  bool readRunLength();

  ByteCursor in_;
  RasterImage& image_;
  BmpHeader header_;
  std::string reason_;
};

// Run-length codes, from the bottom line up. Pixels that runs, deltas or
// absolute runs put outside the picture are dropped; codes may end early
// between two codes, but not inside one.
class RunLengthDecoder {
 public:
  RunLengthDecoder(ByteCursor& in, RasterImage& image, bool fourBit)
      : in_(in), image_(image), fourBit_(fourBit), line_(image.height - 1) {}

  // False when a code is cut short.
  bool run() {
    while (line_ >= 0) {
      std::uint8_t count, value;
      if (!in_.readU8(count)) return true;
      if (!in_.readU8(value)) return false;
      bool endedByItself = lineEndedByItself_;
      lineEndedByItself_ = false;
      if (count > 0) {
        for (int k = 0; k < count; ++k) put(fourBit_ ? nibble(value, k) : value);
      } else if (value == 0) {
        // Writers that code a row's padding as pixels run one or two
        // pixels past the edge before their end of line; that line has
        // ended already.
        if (!endedByItself) endLine();
        continue;
      } else if (value == 1) {
        return true;
      } else if (value == 2) {
        if (!delta()) return false;
      } else if (!absolute(value)) {
        return false;
      }
      // A line that has run past the right edge ends by itself.
      if (x_ - 1 > image_.width) {
        endLine();
        lineEndedByItself_ = true;
      }
    }
    return true;
  }

 private:
  static unsigned nibble(unsigned byte, int k) { return k % 2 == 0 ? byte >> 4 : byte & 0x0F; }

  void put(unsigned index) {
    if (x_ >= 0 && x_ < image_.width && line_ >= 0 && line_ < image_.height) {
      image_.indices[static_cast<std::size_t>(line_) * image_.width + x_] =
          static_cast<std::uint8_t>(index);
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
  RasterImage& image_;
  bool fourBit_;
  int line_;
  int x_ = 0;
  bool lineEndedByItself_ = false;
};

bool BmpReader::readRunLength() {
  bool fourBit = header_.compression == kRle4;
  if (RunLengthDecoder(in_, image_, fourBit).run()) return true;
  return refuse(fourBit ? "RLE4 data past the end" : "RLE8 data past the end");
}

}  // namespace

bool decodeBmp(const unsigned char* data, std::size_t size, RasterImage& image,
               std::string& reason) {
  image = RasterImage{};
  if (!data) {
    reason = "no data";
    return false;
  }
  BmpReader reader(data, size, image);
  if (reader.read()) return true;
  reason = reader.reason();
  return false;
}

}  // namespace vek
