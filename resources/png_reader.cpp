#include "resources/png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace vek {
namespace {

// The bytes libpng reads from, and the first error it reports.
struct PngSource {
  const unsigned char* data;
  std::size_t size;
  std::size_t position = 0;
  char error[200] = "";
};

void onError(png_structp png, png_const_charp message) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::snprintf(source->error, sizeof source->error, "%s", message);
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > source->size - source->position) png_error(png, "file cut short");
  std::memcpy(out, source->data + source->position, length);
  source->position += length;
}

// Every colour type and depth as 8-bit red, green, blue and alpha, each
// 16-bit sample rounded to the nearest 8-bit one, without gamma changes.
void requestRgba(png_structp png, png_infop info) {
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  if (!(png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) &&
      !png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// The header; libpng's errors come back here. Nothing in this frame needs
// destroying when they do.
bool readHeader(png_structp png, png_infop info, PngSource& source, png_uint_32& width,
                png_uint_32& height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &source, readBytes);
  png_read_info(png, info);
  width = png_get_image_width(png, info);
  height = png_get_image_height(png, info);
  return true;
}

bool readPixels(png_structp png, png_infop info, png_bytep* rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  requestRgba(png, info);
  if (png_get_rowbytes(png, info) != png_get_image_width(png, info) * 4) {
    png_error(png, "unexpected row layout");
  }
  png_read_image(png, rows);
  return true;
}

}  // namespace

bool looksLikePng(const unsigned char* data, std::size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool readPng(const unsigned char* data, std::size_t size, int maxSide, RgbaImage& image,
             std::string& reason) {
  image = RgbaImage{};
  if (!looksLikePng(data, size)) {
    reason = "not a PNG file";
    return false;
  }
  PngSource source{data, size};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, onError, onWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    reason = "out of memory";
    return false;
  }
  png_uint_32 width = 0, height = 0;
  bool read = readHeader(png, info, source, width, height);
  if (read && (width < 1 || height < 1 || width > static_cast<png_uint_32>(maxSide) ||
               height > static_cast<png_uint_32>(maxSide))) {
    std::snprintf(source.error, sizeof source.error, "size %u x %u is not 1 to %d pixels a side",
                  static_cast<unsigned>(width), static_cast<unsigned>(height), maxSide);
    read = false;
  }
  if (read) {
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgba.resize(static_cast<std::size_t>(width) * height * 4);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = &image.rgba[std::size_t{y} * width * 4];
    read = readPixels(png, info, rows.data());
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!read) {
    reason = source.error;
    image = RgbaImage{};
  }
  return read;
}

}  // namespace vek
