// ImageMagick's BMP files (and byte-level variants) decode to the pixels
// ImageMagick reads; the PNG writer's rows read back through ImageMagick.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "resources/bmp_decoder.h"
#include "resources/png_reader.h"
#include "resources/png_writer.h"
#include "child_process.h"
#include "temp_dir.h"

namespace vek {
namespace {

// ImageMagick, the independent reader and writer of pictures.
constexpr const char* kConvert = "/usr/bin/convert";

// Header fields, little-endian as on this machine.
std::uint32_t u32At(const std::string& file, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, &file[at], 4);
  return value;
}

void putU32(std::string& file, std::size_t at, std::uint32_t value) { std::memcpy(&file[at], &value, 4); }

constexpr std::size_t kFileSizeAt = 2, kPixelOffsetAt = 10, kHeaderSizeAt = 14, kHeightAt = 22,
                      kBitCountAt = 28, kCompressionAt = 30;

std::string withCompression(std::string file, std::uint32_t compression) {
  putU32(file, kCompressionAt, compression);
  return file;
}

// The information header cut or padded to size; the pixel data offset moves
// with it.
std::string withHeaderSize(const std::string& file, std::uint32_t size) {
  std::uint32_t old = u32At(file, kHeaderSizeAt);
  std::string header = file.substr(kHeaderSizeAt, old);
  header.resize(size, '\0');
  std::string out = file.substr(0, kHeaderSizeAt) + header + file.substr(kHeaderSizeAt + old);
  putU32(out, kHeaderSizeAt, size);
  putU32(out, kPixelOffsetAt, u32At(file, kPixelOffsetAt) + size - old);
  putU32(out, kFileSizeAt, static_cast<std::uint32_t>(out.size()));
  return out;
}

// The rows in the other order and the height negated: the same picture
// stored top-down.
std::string topDown(std::string file) {
  std::int32_t height = static_cast<std::int32_t>(u32At(file, kHeightAt));
  std::int32_t width = static_cast<std::int32_t>(u32At(file, 18));
  std::size_t bits = static_cast<unsigned char>(file[kBitCountAt]);
  std::size_t stride = (width * bits + 31) / 32 * 4;
  std::size_t offset = u32At(file, kPixelOffsetAt);
  std::string flipped = file.substr(0, offset);
  for (std::int32_t row = height - 1; row >= 0; --row)
    flipped += file.substr(offset + row * stride, stride);
  putU32(flipped, kHeightAt, static_cast<std::uint32_t>(-height));
  return flipped;
}

// What ImageMagick reads from a file: 8-bit red, green, blue, top row first.
std::string magickPixels(const std::string& path, const std::string& scratch) {
  test::ProgramResult read = test::runProgram(kConvert, {path, "-depth", "8", "rgb:" + scratch});
  EXPECT_EQ(read.status, 0) << read.err;
  return test::readFileBytes(scratch);
}

TEST(PictureFiles, BmpDecodesToTheSamePixelsAsImageMagickReads) {
  // Many colours, fixed by the seed; 18 x 20 like a tile, so rows need
  // padding at every bit count.
  test::TempDir dir;
  const std::string source = dir.file("source.png");
  test::ProgramResult made = test::runProgram(
      kConvert, {"-seed", "14", "-size", "18x20", "plasma:", "-alpha", "off", source});
  ASSERT_EQ(made.status, 0) << made.err;
  struct Case {
    const char* what;
    std::vector<std::string> options;
    std::function<std::string(std::string)> change;
    PixelLayout layout;
  };
  const std::vector<std::string> trueColour{"-type", "truecolor"};
  const std::vector<std::string> palette{"-type", "palette", "-compress", "none"};
  const std::vector<std::string> thirtyTwo{"-type", "truecolormatte"};
  const std::vector<std::string> rgb555{"-type", "truecolor", "-define", "bmp:subtype=RGB555"};
  const std::vector<std::string> rgb565{"-type", "truecolor", "-define", "bmp:subtype=RGB565"};
  auto headerOf = [](std::uint32_t size) {
    return [size](std::string file) { return withHeaderSize(file, size); };
  };
  auto uncompressed = [](std::string file) { return withCompression(file, 0); };
  const Case cases[] = {
      {"40-byte header, 24 bits", trueColour, headerOf(40), PixelLayout::Rgb888},
      {"108-byte header, 24 bits", trueColour, headerOf(108), PixelLayout::Rgb888},
      {"124-byte header, 24 bits (convert's own)", trueColour, nullptr, PixelLayout::Rgb888},
      {"124-byte header, palette", palette, nullptr, PixelLayout::Indexed},
      {"124-byte header, RLE8 (convert's own for a palette)", {"-type", "palette"}, nullptr,
       PixelLayout::Indexed},
      {"108-byte header, RLE8", {"-type", "palette"}, headerOf(108), PixelLayout::Indexed},
      {"124-byte header, 5-6-5 bit fields", rgb565, nullptr, PixelLayout::Rgb565},
      {"124-byte header, 5-5-5 bit fields", rgb555, nullptr, PixelLayout::Rgb555},
      {"16 bits uncompressed: 5-5-5", rgb555, uncompressed, PixelLayout::Rgb555},
      {"32-bit bit fields with an alpha mask", thirtyTwo, nullptr, PixelLayout::Rgb888x},
      {"32 bits uncompressed: 8-8-8", thirtyTwo,
       [](std::string file) { return withHeaderSize(withCompression(file, 0), 40); },
       PixelLayout::Rgb888x},
      {"top-down, 24 bits", trueColour, topDown, PixelLayout::Rgb888},
      {"top-down, palette, 40-byte header", palette,
       [](std::string file) { return topDown(withHeaderSize(file, 40)); }, PixelLayout::Indexed},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{source};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back("BMP:" + dir.file("written.bmp"));
    ASSERT_EQ(test::runProgram(kConvert, args).status, 0) << c.what;
    std::string file = test::readFileBytes(dir.file("written.bmp"));
    if (c.change) file = c.change(file);
    ASSERT_TRUE(test::writeFileBytes(dir.file("case.bmp"), file));
    RasterImage image;
    std::string reason;
    ASSERT_TRUE(decodeBmp(reinterpret_cast<const unsigned char*>(file.data()), file.size(), image,
                          reason))
        << c.what << ": " << reason;
    EXPECT_EQ(image.layout, c.layout) << c.what;
    ASSERT_EQ(image.width, 18) << c.what;
    ASSERT_EQ(image.height, 20) << c.what;
    EXPECT_TRUE(image.rgbBytes() == magickPixels(dir.file("case.bmp"), dir.file("case.rgb")))
        << c.what;
  }
}

TEST(PictureFiles, PngWriterStreamsRowsThatImageMagickReadsBack) {
  test::TempDir dir;
  const int width = 37, height = 23;
  std::string rgb(static_cast<std::size_t>(width) * height * 3, '\0');
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<char>(i * 7 + i / 3);
  const auto* bytes = reinterpret_cast<const unsigned char*>(rgb.data());
  const std::string path = dir.file("picture.png");
  ASSERT_TRUE(test::writeFileBytes(path, "earlier file"));
  std::string reason;
  {
    PngWriter abandoned;  // given up half-way: the file at the path stays
    ASSERT_TRUE(abandoned.open(path, width, height, reason));
    ASSERT_TRUE(abandoned.writeRows(bytes, 3, reason));
    EXPECT_FALSE(abandoned.finish(reason)) << "short of rows";
  }
  PngWriter png;
  ASSERT_TRUE(png.open(path, width, height, reason)) << reason;
  for (int row = 0; row < height; row += 5) {
    ASSERT_TRUE(png.writeRows(bytes + row * width * 3, std::min(5, height - row), reason)) << reason;
    EXPECT_EQ(test::readFileBytes(path), "earlier file") << "replaced before it was complete";
  }
  EXPECT_FALSE(png.writeRows(bytes, 1, reason)) << "a row past the height";
  ASSERT_TRUE(png.finish(reason)) << reason;
  EXPECT_EQ(magickPixels(path, dir.file("back.rgb")), rgb);
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 2u) << "a temporary file was left behind";

  std::string written = test::readFileBytes(path);
  auto read = [&](const std::string& png, int maxSide, RgbaImage& image) {
    reason = "";
    return readPng(reinterpret_cast<const unsigned char*>(png.data()), png.size(), maxSide, image,
                   reason);
  };
  RgbaImage back;
  ASSERT_TRUE(read(written, width, back)) << reason;
  std::string backRgb;
  for (std::size_t i = 0; i < back.rgba.size(); i += 4)
    backRgb.append(reinterpret_cast<const char*>(&back.rgba[i]), back.rgba[i + 3] == 255 ? 3 : 0);
  EXPECT_TRUE(backRgb == rgb) << "the PNG reader reads the rows back, opaque";

  std::string badCrc = written;
  badCrc[30] ^= 1;  // inside the header chunk
  const std::pair<std::string, const char*> refused[] = {
      {written.substr(0, written.size() / 2), "file cut short"},
      {written.substr(0, 7), "not a PNG file"},
      {badCrc, "IHDR: CRC error"},
  };
  for (const auto& [png, why] : refused) {
    EXPECT_FALSE(read(png, 4096, back));
    EXPECT_EQ(reason, why);
    EXPECT_TRUE(back.rgba.empty());
  }
  EXPECT_FALSE(read(written, width - 1, back));
  EXPECT_EQ(reason, "size 37 x 23 is not 1 to 36 pixels a side");

  EXPECT_FALSE(writePngFile(dir.file("no/such/folder.png"), 1, 1, bytes, reason));
  EXPECT_NE(reason.find("no/such/folder.png: No such file or directory"), std::string::npos)
      << reason;
}

}  // namespace
}  // namespace vek
