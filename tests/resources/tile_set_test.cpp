#include "resources/tile_set.h"

#include <gtest/gtest.h>

#include <string>

#include "bmp_bytes.h"
#include "headless_allegro.h"
#include "resources/archive_writer.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::bgr;
using test::fileHeader;
using test::windowsHeader;

// A 24-bit picture of one colour, width x height.
std::string plainPicture(int width, int height, char letter) {
  std::string row;
  for (int x = 0; x < width; ++x) row += bgr(letter);
  row.resize((row.size() + 3) / 4 * 4, '\0');
  std::string file = fileHeader(54) + windowsHeader(width, height, 24, 0);
  for (int y = 0; y < height; ++y) file += row;
  return file;
}

std::string archiveOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  ArchiveWriter writer;
  for (const auto& [name, bytes] : entries) writer.add(name, bytes, 1);
  std::string archive;
  writer.build(archive);
  return archive;
}

TEST(TileSet, OnlyTheExactEntryNameGivesACodeItsPicture) {
  test::useColorDepth(16);
  const std::string archiveBytes = archiveOf({
      {"7.bmp", plainPicture(18, 20, 'R')},
      {"007.bmp", plainPicture(18, 20, 'G')},
      {"8.BMP", plainPicture(18, 20, 'G')},
      {"9.bmp", "not a picture at all"},
      {"250.bmp", plainPicture(30, 25, 'B')},
      {"readme.txt", "entries of other names are ignored"},
  });
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(archiveBytes.data(), archiveBytes.size(), 1));

  TileSet tiles;
  EXPECT_EQ(tiles.load(archive), 2);
  for (int code = 0; code < TileSet::kSlotCount; ++code) {
    bool expected = code == 7 || code == 250;
    EXPECT_EQ(tiles.picture(static_cast<TileCode>(code)) != nullptr, expected) << "code " << code;
  }
  BITMAP* seven = tiles.picture(7);
  BITMAP* large = tiles.picture(250);
  ASSERT_TRUE(seven && large);
  EXPECT_EQ(bitmap_color_depth(seven), 16);
  EXPECT_EQ(getpixel(seven, 17, 19), makecol(255, 0, 0));
  EXPECT_EQ((std::pair{large->w, large->h}), (std::pair{30, 25})) << "a picture keeps its own size";
  EXPECT_EQ(getpixel(large, 5, 5), makecol(0, 0, 255));

  // Loading again replaces everything held before.
  const std::string onlyOne = archiveOf({{"0.bmp", plainPicture(2, 2, 'W')}});
  ASSERT_TRUE(archive.openMemory(onlyOne.data(), onlyOne.size(), 1));
  EXPECT_EQ(tiles.load(archive), 1);
  EXPECT_EQ(tiles.picture(7), nullptr);
}

TEST(TileSet, TheStartUpArchiveIsReadWholeAtOnceOrLeavesEverySlotEmpty) {
  test::useColorDepth(32);
  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  ASSERT_TRUE(test::writeFileBytes(path, archiveOf({{"44.bmp", plainPicture(18, 20, 'G')}})));
  std::unique_ptr<DataArchive> archive = openTileArchive(path.c_str());
  // Preloaded: the file may go away before the pictures are decoded.
  ASSERT_TRUE(test::writeFileBytes(path, "gone"));
  TileSet tiles;
  EXPECT_EQ(tiles.load(*archive), 1);
  ASSERT_NE(tiles.picture(44), nullptr);
  EXPECT_EQ(getpixel(tiles.picture(44), 5, 5), makecol(0, 255, 0));

  const std::string notAnArchive = dir.file("other.dat");
  ASSERT_TRUE(test::writeFileBytes(notAnArchive, "DATAVER00.02.00"));
  for (const std::string& other : {dir.file("missing.dat"), path, notAnArchive, dir.path()}) {
    archive = openTileArchive(other.c_str());
    EXPECT_EQ(tiles.load(*archive), 0) << other;
    EXPECT_EQ(tiles.picture(44), nullptr);
  }
}

}  // namespace
}  // namespace vek
