#include "bmp_writer.h"

#include <algorithm>
#include <cstdint>

namespace vek {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kWindowsHeaderSize = 40;
constexpr std::uint32_t kOs2HeaderSize = 12;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

void put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

void putByte(std::string& out, unsigned value) { out.push_back(static_cast<char>(value & 0xFF)); }

struct Layout {
  bool os2;
  int bitCount;
  std::uint32_t compression;
};

Layout layoutOf(BmpEncoding encoding) {
  switch (encoding) {
    case BmpEncoding::Mono:
      return {false, 1, kRgb};
    case BmpEncoding::Indexed4:
      return {false, 4, kRgb};
    case BmpEncoding::Indexed8:
      return {false, 8, kRgb};
    case BmpEncoding::Rle8:
      return {false, 8, kRle8};
    case BmpEncoding::Rle4:
      return {false, 4, kRle4};
    case BmpEncoding::Rgb24:
      return {false, 24, kRgb};
    case BmpEncoding::BitFields15:
      return {false, 16, kBitFields};
    case BmpEncoding::BitFields16:
      return {false, 16, kBitFields};
    case BmpEncoding::BitFields32:
      return {false, 32, kBitFields};
    case BmpEncoding::Os2Mono:
      return {true, 1, kRgb};
    case BmpEncoding::Os2Indexed4:
      return {true, 4, kRgb};
    case BmpEncoding::Os2Indexed8:
      return {true, 8, kRgb};
    case BmpEncoding::Os2Rgb24:
      return {true, 24, kRgb};
  }
  return {false, 24, kRgb};
}

std::size_t paddedRowBytes(int width, int bitCount) {
  return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
}

// Palette indices of the image, row by row from the top.
std::vector<unsigned> indicesOf(const TileImage& image, const std::vector<Rgb>& palette) {
  std::vector<unsigned> indices;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      auto at = std::find(palette.begin(), palette.end(), image.get(x, y));
      indices.push_back(static_cast<unsigned>(at - palette.begin()));
    }
  }
  return indices;
}

std::string packedRows(const std::vector<unsigned>& indices, int width, int height, int bitCount) {
  std::string pixels;
  for (int y = height - 1; y >= 0; --y) {
    std::string row(paddedRowBytes(width, bitCount), '\0');
    for (int x = 0; x < width; ++x) {
      unsigned index = indices[static_cast<std::size_t>(y) * width + x];
      int bit = x * bitCount;
      unsigned shift = 8 - bitCount - bit % 8;
      row[bit / 8] = static_cast<char>(static_cast<unsigned char>(row[bit / 8]) | (index << shift));
    }
    pixels += row;
  }
  return pixels;
}

// Run-length codes one row of palette indices: runs of equal pixels, and
// absolute runs for stretches without repeats.
void runLengthRow(const unsigned* row, int width, bool fourBit, std::string& out) {
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < 255 && row[x + run] == row[x]) ++run;
    if (run >= 3) {
      putByte(out, run);
      putByte(out, fourBit ? (row[x] << 4) | row[x] : row[x]);
      x += run;
      continue;
    }
    // An absolute stretch reaches to the next run of three.
    int length = 0;
    while (x + length < width && length < 255) {
      int ahead = x + length;
      if (ahead + 2 < width && row[ahead] == row[ahead + 1] && row[ahead] == row[ahead + 2]) break;
      ++length;
    }
    if (length < 3) {
      for (int i = 0; i < length; ++i) {
        putByte(out, 1);
        putByte(out, fourBit ? row[x + i] << 4 : row[x + i]);
      }
    } else {
      putByte(out, 0);
      putByte(out, length);
      std::string data;
      if (fourBit) {
        for (int i = 0; i < length; i += 2) {
          unsigned high = row[x + i];
          unsigned low = i + 1 < length ? row[x + i + 1] : 0;
          putByte(data, (high << 4) | low);
        }
      } else {
        for (int i = 0; i < length; ++i) putByte(data, row[x + i]);
      }
      if (data.size() % 2 != 0) data.push_back('\0');
      out += data;
    }
    x += length;
  }
}

std::string runLengthPixels(const std::vector<unsigned>& indices, int width, int height,
                            bool fourBit) {
  std::string out;
  for (int y = height - 1; y >= 0; --y) {
    runLengthRow(&indices[static_cast<std::size_t>(y) * width], width, fourBit, out);
    putByte(out, 0);
    putByte(out, y == 0 ? 1 : 0);  // end of bitmap after the top row, else end of line
  }
  return out;
}

std::string trueColourPixels(const TileImage& image, BmpEncoding encoding) {
  int bitCount = layoutOf(encoding).bitCount;
  std::string pixels;
  for (int y = image.height() - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
      Rgb c = image.get(x, y);
      switch (encoding) {
        case BmpEncoding::BitFields15:
          put16(row, ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3));
          break;
        case BmpEncoding::BitFields16:
          put16(row, ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3));
          break;
        case BmpEncoding::BitFields32:
          put32(row, (std::uint32_t{c.r} << 16) | (c.g << 8) | c.b);
          break;
        default:
          putByte(row, c.b);
          putByte(row, c.g);
          putByte(row, c.r);
      }
    }
    row.resize(paddedRowBytes(image.width(), bitCount), '\0');
    pixels += row;
  }
  return pixels;
}

void putMasks(std::string& out, BmpEncoding encoding) {
  switch (encoding) {
    case BmpEncoding::BitFields15:
      put32(out, 0x7C00);
      put32(out, 0x03E0);
      put32(out, 0x001F);
      break;
    case BmpEncoding::BitFields16:
      put32(out, 0xF800);
      put32(out, 0x07E0);
      put32(out, 0x001F);
      break;
    default:
      put32(out, 0xFF0000);
      put32(out, 0x00FF00);
      put32(out, 0x0000FF);
      break;
  }
}

}  // namespace

const char* encodingName(BmpEncoding encoding) {
  switch (encoding) {
    case BmpEncoding::Mono:
      return "1-bit";
    case BmpEncoding::Indexed4:
      return "4-bit";
    case BmpEncoding::Indexed8:
      return "8-bit";
    case BmpEncoding::Rle8:
      return "RLE8";
    case BmpEncoding::Rle4:
      return "RLE4";
    case BmpEncoding::Rgb24:
      return "24-bit";
    case BmpEncoding::BitFields15:
      return "15-bit bit fields";
    case BmpEncoding::BitFields16:
      return "16-bit bit fields";
    case BmpEncoding::BitFields32:
      return "32-bit bit fields";
    case BmpEncoding::Os2Mono:
      return "OS/2 1-bit";
    case BmpEncoding::Os2Indexed4:
      return "OS/2 4-bit";
    case BmpEncoding::Os2Indexed8:
      return "OS/2 8-bit";
    case BmpEncoding::Os2Rgb24:
      return "OS/2 24-bit";
  }
  return "?";
}

int paletteCapacity(BmpEncoding encoding) {
  int bitCount = layoutOf(encoding).bitCount;
  return bitCount <= 8 ? 1 << bitCount : 0;
}

bool encodeBmp(const TileImage& image, BmpEncoding encoding, std::string& file) {
  Layout layout = layoutOf(encoding);
  int capacity = paletteCapacity(encoding);
  std::vector<Rgb> palette;
  std::string pixels;
  if (capacity > 0) {
    palette = image.colours();
    if (palette.size() > static_cast<std::size_t>(capacity)) return false;
    // OS/2 palettes always hold 2^bits entries; Windows palettes only those used,
    // but a 1-bit palette keeps its two.
    std::size_t entries =
        layout.os2 ? capacity : std::max<std::size_t>(palette.size(), layout.bitCount == 1 ? 2 : 1);
    std::vector<unsigned> indices = indicesOf(image, palette);
    palette.resize(entries, Rgb{0, 0, 0});
    pixels =
        layout.compression == kRgb
            ? packedRows(indices, image.width(), image.height(), layout.bitCount)
            : runLengthPixels(indices, image.width(), image.height(), layout.compression == kRle4);
  } else {
    pixels = trueColourPixels(image, encoding);
  }

  std::string header;
  if (layout.os2) {
    put32(header, kOs2HeaderSize);
    put16(header, static_cast<std::uint32_t>(image.width()));
    put16(header, static_cast<std::uint32_t>(image.height()));
    put16(header, 1);
    put16(header, static_cast<std::uint32_t>(layout.bitCount));
  } else {
    put32(header, kWindowsHeaderSize);
    put32(header, static_cast<std::uint32_t>(image.width()));
    put32(header, static_cast<std::uint32_t>(image.height()));
    put16(header, 1);
    put16(header, static_cast<std::uint32_t>(layout.bitCount));
    put32(header, layout.compression);
    put32(header, static_cast<std::uint32_t>(pixels.size()));
    put32(header, kPixelsPerMetre);
    put32(header, kPixelsPerMetre);
    put32(header, static_cast<std::uint32_t>(palette.size()));
    put32(header, 0);
  }
  if (layout.compression == kBitFields) putMasks(header, encoding);
  for (const Rgb& colour : palette) {
    putByte(header, colour.b);
    putByte(header, colour.g);
    putByte(header, colour.r);
    if (!layout.os2) putByte(header, 0);
  }

  std::uint32_t pixelOffset = kFileHeaderSize + static_cast<std::uint32_t>(header.size());
  file.clear();
  put16(file, 0x4D42);  // "BM"
  put32(file, pixelOffset + static_cast<std::uint32_t>(pixels.size()));
  put16(file, 0);
  put16(file, 0);
  put32(file, pixelOffset);
  file += header;
  file += pixels;
  return true;
}

}  // namespace vek
