#include "extract_command.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "archive_input.h"
#include "core/safe_file.h"
#include "resources/bmp_decoder.h"
#include "resources/png_writer.h"

namespace vek {
namespace {

bool isPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool makeFolder(const std::string& folder) {
  struct stat info;
  if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
  if (::mkdir(folder.c_str(), 0777) == 0) return true;
  std::fprintf(stderr, "vekpack: cannot make the folder %s: %s\n", folder.c_str(),
               std::strerror(errno));
  return false;
}

std::string pngNameOf(const std::string& name) {
  bool bmp = name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
  return (bmp ? name.substr(0, name.size() - 4) : name) + ".png";
}

// The picture as a PNG file; false when the entry is not a picture (it is
// then written as stored) or the file cannot be written (reason says why).
bool writeAsPng(const unsigned char* data, std::size_t size, const std::string& path,
                bool& isPicture, std::string& reason) {
  RasterImage image;
  isPicture = decodeBmp(data, size, image, reason);
  if (!isPicture) return false;
  std::string rgb = image.rgbBytes();
  return writePngFile(path, image.width, image.height,
                      reinterpret_cast<const unsigned char*>(rgb.data()), reason);
}

bool writeStored(const unsigned char* data, std::size_t size, const std::string& path,
                 std::string& reason) {
  errno = 0;
  if (replaceFile(path.c_str(), std::string(reinterpret_cast<const char*>(data), size))) return true;
  reason = "cannot write " + path + ": " + (errno ? std::strerror(errno) : "write failed");
  return false;
}

}  // namespace

int extractArchive(const std::string& path, const std::string& folder, bool asPng) {
  DataArchive archive;
  if (!openArchiveForReading(path, archive) || !makeFolder(folder)) return 1;
  std::set<std::string> written;
  int failures = 0, filesWritten = 0;
  for (int i = 0; i < archive.count(); ++i) {
    std::string name = archive.entry(i)->name;
    if (!isPlainFileName(name)) {
      std::fprintf(stderr, "vekpack: skipped the entry \"%s\": not a plain file name\n",
                   name.c_str());
      ++failures;
      continue;
    }
    if (!written.insert(name).second) {
      std::fprintf(stderr, "vekpack: skipped a second entry %s (the first is written)\n",
                   name.c_str());
      continue;
    }
    std::size_t size = 0;
    const unsigned char* data = archive.entryData(i, &size);
    if (!data) {
      std::fprintf(stderr, "vekpack: cannot read the entry %s from %s\n", name.c_str(),
                   path.c_str());
      ++failures;
      continue;
    }
    std::string reason;
    bool isPicture = false;
    bool done = asPng && writeAsPng(data, size, folder + "/" + pngNameOf(name), isPicture, reason);
    if (!done && !isPicture) done = writeStored(data, size, folder + "/" + name, reason);
    if (done) {
      ++filesWritten;
    } else {
      std::fprintf(stderr, "vekpack: %s\n", reason.c_str());
      ++failures;
    }
  }
  std::printf("vekpack: wrote %d files for the %d entries of %s into %s\n", filesWritten,
              archive.count(), path.c_str(), folder.c_str());
  return failures > 0 ? 1 : 0;
}

}  // namespace vek
