// vekpack as a program: packs, extracts and lists what it was given, and
// its failures leave no archive behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <vector>

#include "resources/bmp_decoder.h"
#include "resources/data_archive.h"
#include "child_process.h"
#include "temp_dir.h"

namespace vek {
namespace {

// ImageMagick, the independent reader and writer of pictures.
constexpr const char* kConvert = "/usr/bin/convert";

using test::folderEntries;
using test::runProgram;
using Outcome = test::ProgramResult;

std::string entryBytes(DataArchive& archive, const std::string& name) {
  std::size_t size = 0;
  const unsigned char* data = archive.entryData(name.c_str(), &size);
  return data ? std::string(reinterpret_cast<const char*>(data), size) : "<none>";
}

TEST(Vekpack, FailuresExitNonZeroAndLeaveTheEarlierArchive) {
  test::TempDir dir;
  ASSERT_EQ(mkdir(dir.file("a").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(dir.file("b").c_str(), 0755), 0);
  ASSERT_TRUE(test::writeFileBytes(dir.file("a/x.bmp"), "one"));
  ASSERT_TRUE(test::writeFileBytes(dir.file("b/x.bmp"), "two"));
  ASSERT_TRUE(test::writeFileBytes(dir.file("a/bad.png"), "\x89PNG but not"));
  const std::string out = dir.file("out.dat");
  ASSERT_TRUE(test::writeFileBytes(out, "earlier archive"));

  struct Case {
    const char* what;
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"a missing file", {out, dir.file("a/x.bmp"), dir.file("missing.bmp")}, 1, "missing.bmp"},
      {"two files of one name", {out, dir.file("a/x.bmp"), dir.file("b/x.bmp")}, 1, "x.bmp"},
      {"a folder as input", {out, dir.file("a")}, 1, "not a regular file"},
      {"no files", {out}, 64, "usage"},
      {"no arguments", {}, 64, "usage"},
      {"unit 0", {"--rle", "0", out, dir.file("a/x.bmp")}, 64, "--rle"},
      {"unit not a number", {"--rle", "two", out, dir.file("a/x.bmp")}, 64, "--rle"},
      {"an unknown option", {"--fast", out, dir.file("a/x.bmp")}, 64, "--fast"},
      {"a PNG that is not one", {out, dir.file("a/x.bmp"), dir.file("a/bad.png")}, 1,
       "cannot pack " + dir.file("a/bad.png") + ": not a PNG file"},
      {"listing a missing archive", {"--list", dir.file("none.dat")}, 1, "none.dat"},
      {"listing what is not an archive", {"--list", out}, 1, "not a data.dat archive"},
      {"an archive in a missing folder", {dir.file("no/out.dat"), dir.file("a/x.bmp")}, 1,
       "cannot write"},
  };
  for (const Case& c : cases) {
    Outcome outcome = runProgram(VEKPACK_PATH, c.args);
    EXPECT_EQ(outcome.status, c.status) << c.what << ": " << outcome.output();
    EXPECT_NE(outcome.output().find(c.message), std::string::npos)
        << c.what << ": " << outcome.output();
    EXPECT_EQ(test::readFileBytes(out), "earlier archive") << c.what;
  }
  EXPECT_EQ(folderEntries(dir.path()).size(), 3u) << "a temporary file was left behind";

  Outcome replaced = runProgram(VEKPACK_PATH, {out, dir.file("a/x.bmp")});
  EXPECT_EQ(replaced.status, 0) << replaced.output();
  DataArchive archive(out.c_str());
  ASSERT_TRUE(archive.open(1));
  EXPECT_EQ(archive.find("x.bmp"), 0);

  // An entry whose data runs past the end is listed as unreadable.
  std::string bytes = test::readFileBytes(out);
  ASSERT_TRUE(test::writeFileBytes(out, bytes.substr(0, bytes.size() - 1)));
  Outcome list = runProgram(VEKPACK_PATH, {"--list", out});
  EXPECT_EQ(list.status, 1) << list.output();
  EXPECT_TRUE(test::contains(list.out, " unreadable entry\n")) << list.output();
}

// The entry's picture; fails the test when it is missing or not a picture.
RasterImage decodedEntry(DataArchive& archive, const std::string& name) {
  RasterImage image;
  std::size_t size = 0;
  const unsigned char* data = archive.entryData(name.c_str(), &size);
  std::string reason;
  EXPECT_TRUE(data && decodeBmp(data, size, image, reason)) << name << ": " << reason;
  return image;
}

TEST(Vekpack, PngPicturesArePackedAsTheirOwnPixels) {
  test::TempDir dir;
  struct Case {
    const char* what;
    std::vector<std::string> make;  // convert's arguments before the output file
    PixelLayout layout;
  };
  const Case cases[] = {
      {"few colours and a transparent corner: 8 bits",
       {"-size", "18x20", "xc:#123456", "-fill", "#abcdef", "-draw", "rectangle 3,4 9,17",
        "-alpha", "set", "-fill", "none", "-draw", "rectangle 0,0 2,2"},
       PixelLayout::Indexed},
      {"more than 256 colours: 24 bits",
       {"-seed", "9", "-size", "30x26", "plasma:", "-alpha", "set", "-channel", "A", "-fx",
        "i<5&&j<5?0:1", "+channel", "-depth", "8"},
       PixelLayout::Rgb888},
  };
  for (const Case& c : cases) {
    std::vector<std::string> make = c.make;
    make.push_back(dir.file("tile.png"));
    ASSERT_EQ(runProgram(kConvert, make).status, 0) << c.what;
    Outcome pack = runProgram(VEKPACK_PATH, {dir.file("tiles.dat"), dir.file("tile.png")});
    ASSERT_EQ(pack.status, 0) << c.what << ": " << pack.output();

    DataArchive archive(dir.file("tiles.dat").c_str());
    ASSERT_TRUE(archive.open(1)) << c.what;
    RasterImage image = decodedEntry(archive, "tile.bmp");
    EXPECT_EQ(image.layout, c.layout) << c.what;
    // Transparent pixels become the mask colour.
    Outcome magick = runProgram(
        kConvert, {dir.file("tile.png"), "-background", "#FF00FF", "-alpha", "remove", "-alpha",
                    "off", "-depth", "8", "rgb:" + dir.file("tile.rgb")});
    ASSERT_EQ(magick.status, 0) << magick.output();
    EXPECT_EQ(image.rgbBytes() == test::readFileBytes(dir.file("tile.rgb")), true) << c.what;
  }
}

TEST(Vekpack, ExtractedTilesPackBackAndListAsTheFilesGiven) {
  test::TempDir dir;
  Outcome stored = runProgram(VEKPACK_PATH, {"--extract", VEK_DATA_DAT, dir.file("stored")});
  ASSERT_EQ(stored.status, 0) << stored.output();
  Outcome png = runProgram(VEKPACK_PATH, {"--extract", VEK_DATA_DAT, dir.file("png"), "--png"});
  ASSERT_EQ(png.status, 0) << png.output();
  std::vector<std::string> bmps{"--rle", "1", dir.file("packed.dat")}, pngs{dir.file("again.dat")};
  for (int code = 0; code < 256; ++code) {
    bmps.push_back(dir.file("stored/" + std::to_string(code) + ".bmp"));
    pngs.push_back(dir.file("png/" + std::to_string(code) + ".png"));
  }
  EXPECT_EQ(folderEntries(dir.file("stored")).size(), 256u);
  for (const auto& args : {bmps, pngs}) {
    Outcome pack = runProgram(VEKPACK_PATH, args);
    ASSERT_EQ(pack.status, 0) << pack.output();
    EXPECT_FALSE(test::contains(pack.output(), "warning")) << pack.output();
  }
  Outcome list = runProgram(VEKPACK_PATH, {"--list", dir.file("packed.dat")});
  ASSERT_EQ(list.status, 0) << list.output();

  DataArchive original(VEK_DATA_DAT), packed(dir.file("packed.dat").c_str()),
      repacked(dir.file("again.dat").c_str());
  ASSERT_TRUE(original.open(1) && packed.open(1) && repacked.open(1));
  std::set<int> units;
  for (int code = 0; code < 256; ++code) {
    std::string name = std::to_string(code) + ".bmp";
    std::string bytes = test::readFileBytes(dir.file("stored/" + name));
    EXPECT_EQ(entryBytes(original, name), bytes) << name;
    EXPECT_EQ(entryBytes(packed, name), bytes) << name;
    units.insert(packed.entry(packed.find(name.c_str()))->unit);
    std::size_t at = list.out.find("\n" + name + " ");
    std::string row = at == std::string::npos ? "" : list.out.substr(at, list.out.find('\n', at + 1) - at);
    EXPECT_TRUE(test::contains(row, " " + std::to_string(bytes.size()) + " ") &&
                test::contains(row, "  picture 18 x 20"))
        << name << ": " << row;
    EXPECT_TRUE(decodedEntry(repacked, name).rgbBytes() == decodedEntry(original, name).rgbBytes())
        << name;
  }
  EXPECT_EQ(units, (std::set<int>{0, 1})) << "some entries coded, some stored";
}

TEST(Vekpack, CheckListsWhatTheEditorCannotUse) {
  test::TempDir dir;
  ASSERT_EQ(runProgram(kConvert, {"-size", "16x16", "xc:red", "BMP3:" + dir.file("5.bmp")}).status, 0);
  ASSERT_EQ(runProgram(kConvert, {"-size", "18x20", "xc:blue", dir.file("7.bmp")}).status, 0);
  std::string bmp = test::readFileBytes(dir.file("7.bmp"));
  ASSERT_TRUE(test::writeFileBytes(dir.file("0.bmp"), bmp.substr(0, bmp.size() / 2)));
  ASSERT_TRUE(test::writeFileBytes(dir.file("notes.txt"), "notes"));
  const std::vector<std::string> bad{dir.file("bad.dat"), dir.file("0.bmp"), dir.file("5.bmp"),
                                     dir.file("7.bmp"), dir.file("notes.txt")},
      good{dir.file("good.dat"), dir.file("5.bmp"), dir.file("notes.txt")};
  for (const auto& files : {bad, good}) {
    Outcome pack = runProgram(VEKPACK_PATH, files);
    ASSERT_EQ(pack.status, 0) << pack.output();
    EXPECT_EQ(test::contains(pack.output(), "warning: " + dir.file("0.bmp") +
                                           " (entry 0.bmp): not a usable picture: pixel data cut short"),
              files == bad)
        << pack.output();
    Outcome check = runProgram(VEKPACK_PATH, {"--check", files[0]});
    EXPECT_EQ(check.status, files == bad ? 1 : 0) << "only tile entries decide: " << check.output();
    for (const char* line : {"5.bmp: warning: picture 16 x 16, not 18 x 20",
                             "notes.txt: not a usable picture: not a BMP file"}) {
      EXPECT_TRUE(test::contains(check.out, line)) << line << "\n" << check.output();
    }
    EXPECT_EQ(test::contains(check.out, "0.bmp: not a usable picture: pixel data cut short"),
              files == bad);
    EXPECT_FALSE(test::contains(check.out, "7.bmp")) << check.output();
  }
}

}  // namespace
}  // namespace vek
