#include "pack_command.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#include "picture_check.h"
#include "png_entry.h"
#include "resources/archive_writer.h"

namespace vek {
namespace {

bool readInput(const std::string& path, std::string& bytes);

// The file name without folder; a PNG picture is packed as a BMP entry.
std::string entryNameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return isPngFileName(name) ? bmpEntryName(name) : name;
}

// The bytes to store for a file: as read, or a PNG's BMP entry.
bool entryBytes(const std::string& path, std::string& bytes) {
  if (!readInput(path, bytes)) return false;
  if (!isPngFileName(path)) return true;
  std::string bmp, reason;
  if (!bmpEntryFromPng(bytes, bmp, reason)) {
    std::fprintf(stderr, "vekpack: cannot pack %s: %s\n", path.c_str(), reason.c_str());
    return false;
  }
  bytes.swap(bmp);
  return true;
}

void warnAboutPicture(const std::string& path, const std::string& name, const std::string& bytes) {
  PictureCheck check =
      checkPicture(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (check.verdict == PictureCheck::Verdict::Usable) return;
  std::fprintf(stderr, "vekpack: warning: %s (entry %s): %s\n", path.c_str(), name.c_str(),
               check.text.c_str());
}

// The whole file; false with a message when it is missing, not a regular
// file, too large for an entry, or unreadable.
bool readInput(const std::string& path, std::string& bytes) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    std::fprintf(stderr, "vekpack: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    std::fprintf(stderr, "vekpack: cannot read %s: not a regular file\n", path.c_str());
    return false;
  }
  if (info.st_size > std::numeric_limits<std::int32_t>::max()) {
    std::fprintf(stderr, "vekpack: %s is too large for an archive entry\n", path.c_str());
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "vekpack: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    std::fprintf(stderr, "vekpack: cannot read %s\n", path.c_str());
    return false;
  }
  return true;
}

std::string fileWithEntryName(const std::vector<std::string>& files, std::size_t before,
                              const std::string& name) {
  for (std::size_t i = 0; i < before; ++i) {
    if (entryNameOf(files[i]) == name) return files[i];
  }
  return "";
}

}  // namespace

int packFiles(const std::string& outPath, const std::vector<std::string>& files, int runUnit) {
  ArchiveWriter archive;
  std::size_t stored = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string bytes;
    if (!entryBytes(files[i], bytes)) return 1;
    std::string name = entryNameOf(files[i]);
    ArchiveWriter::AddResult result = archive.add(name, bytes, runUnit);
    if (result == ArchiveWriter::AddResult::DuplicateName) {
      std::fprintf(stderr, "vekpack: %s and %s would both be the entry %s\n",
                   fileWithEntryName(files, i, name).c_str(), files[i].c_str(), name.c_str());
      return 1;
    }
    if (result != ArchiveWriter::AddResult::Added) {
      std::fprintf(stderr, "vekpack: %s: %s\n", files[i].c_str(), ArchiveWriter::describe(result));
      return 1;
    }
    warnAboutPicture(files[i], name, bytes);
    stored += bytes.size();
  }

  std::string built;
  if (!archive.build(built)) {
    std::fprintf(stderr, "vekpack: the archive would pass 4 GiB, more than its offsets hold\n");
    return 1;
  }
  errno = 0;
  if (!archive.writeFile(outPath.c_str())) {
    std::fprintf(stderr, "vekpack: cannot write %s: %s\n", outPath.c_str(),
                 errno ? std::strerror(errno) : "write failed");
    return 1;
  }
  std::size_t coded = 0;
  for (std::size_t i = 0; i < archive.entryCount(); ++i) coded += archive.storedUnit(i) > 0;
  std::printf("%s: %zu entries (%zu run-length coded), %zu bytes of data in %zu bytes\n",
              outPath.c_str(), archive.entryCount(), coded, stored, built.size());
  return 0;
}

}  // namespace vek
