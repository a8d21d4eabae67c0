#include "list_command.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "archive_input.h"
#include "resources/bmp_decoder.h"

namespace vek {
namespace {

std::string describeContent(const unsigned char* data, std::size_t size) {
  if (!data) return "unreadable entry";
  RasterImage picture;
  std::string reason;
  if (!decodeBmp(data, size, picture, reason)) return "not a picture: " + reason;
  return "picture " + std::to_string(picture.width) + " x " + std::to_string(picture.height);
}

}  // namespace

int listArchive(const std::string& path) {
  DataArchive archive;
  if (!openArchiveForReading(path, archive)) return 1;

  int nameWidth = 4;
  for (int i = 0; i < archive.count(); ++i) {
    nameWidth = std::max(nameWidth, static_cast<int>(std::strlen(archive.entry(i)->name)));
  }
  std::printf("%-*s %10s %6s  %s\n", nameWidth, "NAME", "SIZE", "UNIT", "CONTENT");
  int status = 0;
  for (int i = 0; i < archive.count(); ++i) {
    const IndexEntry& entry = *archive.entry(i);
    std::size_t size = 0;
    const unsigned char* data = archive.entryData(i, &size);
    if (!data) status = 1;
    std::printf("%-*s %10ld %6ld  %s\n", nameWidth, entry.name, static_cast<long>(entry.size),
                static_cast<long>(entry.unit), describeContent(data, size).c_str());
  }
  return status;
}

}  // namespace vek
