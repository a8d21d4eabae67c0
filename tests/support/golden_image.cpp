#include "golden_image.h"

#include <png.h>
#include <sys/stat.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace vek::test {

namespace {

bool writePng(BITMAP* bitmap, const std::string& path) {
  std::vector<png_byte> pixels;
  pixels.reserve(static_cast<std::size_t>(bitmap->w) * bitmap->h * 3);
  const int depth = bitmap_color_depth(bitmap);
  for (int y = 0; y < bitmap->h; ++y) {
    for (int x = 0; x < bitmap->w; ++x) {
      const int colour = getpixel(bitmap, x, y);
      pixels.push_back(static_cast<png_byte>(getr_depth(depth, colour)));
      pixels.push_back(static_cast<png_byte>(getg_depth(depth, colour)));
      pixels.push_back(static_cast<png_byte>(getb_depth(depth, colour)));
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap->w);
  image.height = static_cast<png_uint_32>(bitmap->h);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}

bool readPng(const std::string& path, png_image& image, std::vector<png_byte>& pixels) {
  image = png_image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  pixels.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
}

}  // namespace

std::string goldenDifferences(BITMAP* bitmap, const std::string& name) {
  const std::string path = std::string(VEK_GOLDEN_DIR) + "/" + name + ".png";
  if (std::getenv("VEK_UPDATE_GOLDEN")) {
    return writePng(bitmap, path) ? "" : "cannot write " + path;
  }
  png_image image;
  std::vector<png_byte> golden;
  if (!readPng(path, image, golden)) return "cannot read " + path;
  if (static_cast<int>(image.width) != bitmap->w || static_cast<int>(image.height) != bitmap->h) {
    return "size " + std::to_string(bitmap->w) + "x" + std::to_string(bitmap->h) + ", golden " +
           std::to_string(image.width) + "x" + std::to_string(image.height);
  }
  const int depth = bitmap_color_depth(bitmap);
  std::ostringstream report;
  int differing = 0;
  for (int y = 0; y < bitmap->h; ++y) {
    for (int x = 0; x < bitmap->w; ++x) {
      const png_byte* rgb = &golden[(static_cast<std::size_t>(y) * bitmap->w + x) * 3];
      const int want = makecol_depth(depth, rgb[0], rgb[1], rgb[2]);
      const int got = getpixel(bitmap, x, y);
      if (got == want) continue;
      if (differing++ < 5) {
        report << "(" << x << "," << y << ") is " << getr_depth(depth, got) << ","
               << getg_depth(depth, got) << "," << getb_depth(depth, got) << ", golden "
               << int{rgb[0]} << "," << int{rgb[1]} << "," << int{rgb[2]} << "; ";
      }
    }
  }
  if (differing == 0) return "";
  mkdir("golden-failures", 0755);
  writePng(bitmap, "golden-failures/" + name + ".png");
  report << differing << " pixels differ from " << path << " (this drawing: golden-failures/"
         << name << ".png; if the change is meant, run scripts/update-golden-images.sh)";
  return report.str();
}

}  // namespace vek::test
