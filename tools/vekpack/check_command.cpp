#include "check_command.h"

#include <cstdio>

#include "archive_input.h"
#include "picture_check.h"

namespace vek {

int checkArchive(const std::string& path) {
  DataArchive archive;
  if (!openArchiveForReading(path, archive)) return 1;
  int unusableTiles = 0, tiles = 0, problems = 0;
  for (int i = 0; i < archive.count(); ++i) {
    std::string name = archive.entry(i)->name;
    bool tile = isTileEntryName(name) && archive.find(name.c_str()) == i;
    std::size_t size = 0;
    const unsigned char* data = archive.entryData(i, &size);
    PictureCheck check = checkPicture(data, size);
    tiles += tile;
    if (check.verdict == PictureCheck::Verdict::Usable) continue;
    ++problems;
    bool unusable = check.verdict == PictureCheck::Verdict::Unusable;
    if (unusable && tile) ++unusableTiles;
    std::printf("%s: %s%s\n", name.c_str(), unusable ? "" : "warning: ", check.text.c_str());
  }
  std::printf("%s: %d entries, %d of the 256 tile codes have an entry, %d unusable; %d %s\n",
              path.c_str(), archive.count(), tiles, unusableTiles, problems,
              problems == 1 ? "entry listed" : "entries listed");
  return unusableTiles > 0 ? 1 : 0;
}

}  // namespace vek
