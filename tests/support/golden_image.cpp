#include "golden_image.h"

#include <png.h>
#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "bitmap_checks.h"

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

// The PNG as a bitmap of the given depth, each colour taken there as makecol does.
BitmapPtr readPng(const std::string& path, int depth) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return nullptr;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return nullptr;
  BitmapPtr bitmap(create_bitmap_ex(depth, image.width, image.height));
  for (int y = 0; bitmap && y < bitmap->h; ++y) {
    for (int x = 0; x < bitmap->w; ++x) {
      const png_byte* pixel = &rgb[(static_cast<std::size_t>(y) * bitmap->w + x) * 3];
      putpixel(bitmap.get(), x, y, makecol_depth(depth, pixel[0], pixel[1], pixel[2]));
    }
  }
  return bitmap;
}

}  // namespace

std::string goldenDifferences(BITMAP* bitmap, const std::string& name) {
  const std::string path = std::string(VEK_GOLDEN_DIR) + "/" + name + ".png";
  if (std::getenv("VEK_UPDATE_GOLDEN")) {
    return writePng(bitmap, path) ? "" : "cannot write " + path;
  }
  BitmapPtr golden = readPng(path, bitmap_color_depth(bitmap));
  if (!golden) return "cannot read " + path;
  std::string report = imageDifferences(bitmap, golden.get());
  if (report.empty()) return "";
  mkdir("golden-failures", 0755);
  writePng(bitmap, "golden-failures/" + name + ".png");
  return report + " from " + path + " (this drawing: golden-failures/" + name +
         ".png; if the change is meant, run scripts/update-golden-images.sh)";
}

}  // namespace vek::test
