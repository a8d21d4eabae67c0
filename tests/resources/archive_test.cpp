// data.dat archives: the reader's lookup, entries stored and run-length coded, lazy and
// preloaded reading, hostile archives refused whole or per entry; the writer. Picture
// files as ImageMagick writes and reads them: its BMP files decode to the pixels it
// reads, the PNG writer's rows read back; and vekpack, which packs, extracts, lists and
// checks pictures, its failures leaving no archive.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "archive_bytes.h"
#include "child_process.h"
#include "resources/archive_writer.h"
#include "resources/bmp_decoder.h"
#include "resources/data_archive.h"
#include "resources/png_reader.h"
#include "resources/png_writer.h"
#include "temp_dir.h"

namespace vek {
namespace {

using namespace test;

// An entry's data; "<none>" when it has none (and the size given is 0).
std::string bytesOf(DataArchive& archive, const std::string& name) {
  std::size_t size = 99;
  const unsigned char* data = archive.entryData(name.c_str(), &size);
  if (!data) return size == 0 ? "<none>" : "<none, size " + std::to_string(size) + ">";
  return std::string(reinterpret_cast<const char*>(data), size);
}

TEST(DataArchive, RefusesAHeaderOrIndexThatCannotBeRight) {
  const std::string record = indexRecord("a", 1, 0, 0);
  const std::string valid = archiveHeader(1) + record;
  std::vector<std::string> cases = {
      archiveHeader(-1) + record,
      archiveHeader(INT_MIN),
      archiveHeader(2) + record,                   // the index one record short
      valid.substr(0, valid.size() - 1),           // the index cut by a byte
      archiveHeader(0x7FFFFFFF) + std::string(40, 'x'),
      archiveHeader(0x1000000) + record,  // a count that overflows 32 bits times 268
  };
  for (std::size_t length = 0; length < 21; ++length) cases.push_back(valid.substr(0, length));
  for (std::size_t at = 0; at < 16; ++at) {  // the magic and its zero byte
    cases.push_back(valid);
    cases.back()[at] = at == 15 ? 'X' : static_cast<char>(valid[at] ^ 0x20);
  }
  test::TempDir dir;
  for (const std::string& bytes : cases) {
    ASSERT_TRUE(test::writeFileBytes(dir.file("bad.dat"), bytes));
    for (int preload : {0, 1}) {
      DataArchive archive, fromFile(dir.file("bad.dat").c_str());
      EXPECT_FALSE(archive.openMemory(bytes.data(), bytes.size(), preload)) << &bytes - &cases[0];
      EXPECT_FALSE(fromFile.open(preload)) << &bytes - &cases[0];
      EXPECT_EQ(archive.count() + fromFile.count(), 0);
      EXPECT_EQ(archive.entryData(0), nullptr);
    }
  }
}

TEST(DataArchive, FindsTheFirstOfANameByCase) {
  const std::string unterminated(256, 'n');
  const std::string names = buildArchive(
      {{"a.bmp", "first"}, {"0.BMP", "upper"}, {"a.bmp", "2nd"}, {unterminated, "x"}});
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(names.data(), names.size(), 0));
  EXPECT_EQ(bytesOf(archive, "a.bmp"), "first");
  const std::pair<std::string, int> finds[] = {
      {"a.bmp", 0}, {"0.BMP", 1},        {"0.bmp", -1}, {"A.BMP", -1},
      {"a.bm", -1}, {unterminated, -1}, {unterminated.substr(0, 255), -1},
  };
  for (const auto& [name, index] : finds) EXPECT_EQ(archive.find(name.c_str()), index) << name;
  EXPECT_EQ(archive.find(nullptr), -1);
  EXPECT_EQ(archive.entryData(4), nullptr);
  EXPECT_EQ(bytesOf(archive, "missing"), "<none>");
}

TEST(DataArchive, ExpandsStoredAndRunLengthEntriesAndABadEntryGivesNoDataWhileTheOthersLoad) {
  const auto expectRead = [](const TestEntry& entry, const std::string& expected) {
    const std::string bytes = buildArchive({{"1", "first"}, entry, {"2", run(3, "ok"), 6, 2}});
    for (int preload : {0, 1}) {
      DataArchive archive;
      ASSERT_TRUE(archive.openMemory(bytes.data(), bytes.size(), preload));
      EXPECT_EQ(bytesOf(archive, "1") + "|" + bytesOf(archive, "s") + "|" + bytesOf(archive, "2"),
                "first|" + expected + "|okokok")
          << "preload " << preload;
    }
  };
  const std::pair<TestEntry, std::string> good[] = {
      {{"s", "plain bytes"}, "plain bytes"},
      {{"s", run(3, "AB") + run(1, "CD"), 8, 2}, "ABABABCD"},
      {{"s", run(0, "Q") + run(2, "x") + run(1, "y"), 3, 1}, "xxy"},  // a zero count adds nothing
      {{"s", run(2, "XYZ"), 4, 3}, "XYZX"},                            // the last run is cut
      {{"s", run(0xFFFF, "a") + run(1, "b"), 0x10000, 1}, std::string(0xFFFF, 'a') + "b"},
      // Zero-count runs take more room than the runs that fill the block.
      {{"s", run(0, "a") + run(0, "a") + run(0, "a") + run(0, "a") + run(2, "b"), 2, 1}, "bb"},
      {{"s", "", 0, 4, true}, ""},  // size 0 with its offset at the very end of the file
  };
  int index = 0;
  for (const auto& [entry, expected] : good) {
    SCOPED_TRACE(index++);
    expectRead(entry, expected);
  }
  const std::int64_t beyondTheCap = static_cast<std::int64_t>(DataArchive::kMaxEntrySize) + 1;
  std::string runsBeyondTheCap;
  for (std::int64_t filled = 0; filled < beyondTheCap; filled += 0xFFFF)
    runsBeyondTheCap += run(0xFFFF, "z");
  const TestEntry bad[] = {
      {"s", "abc", 4, 0, true},  // stored data that runs past the end
      {"s", "", 4, 0, false, 100000},    {"s", "", 4, 0, false, 0xFFFFFFFF},  // offsets
      {"s", "", 4, 1, false, 0xFFFFFFFF}, {"s", "abcd", -1, 0},   {"s", run(2, "a"), -5, 1},
      {"s", "abcd", 4, -1},               {"s", "abcd", 4, INT_MIN},
      {"s", "abcd", 0x7FFFFFFF, 0},       {"s", run(0xFFFF, "a"), 0x7FFFFFFF, 1},  // 2 GiB
      {"s", run(1, "abcd"), 0x7FFFFFFF, 0x7FFFFFFF},
      {"s", run(3, "a"), 10, 1, true},            // runs that end before the size
      {"s", run(3, "a") + "\x01", 10, 1, true},  // a run count cut in half
      {"s", le16(2) + "ab", 8, 4, true},          // a unit cut short
      {"s", run(1, "a"), 5, 1000, true},          // a unit longer than the file
      {"s", runsBeyondTheCap, beyondTheCap, 1},   // beyond the per-entry limit
  };
  for (const TestEntry& entry : bad) {
    SCOPED_TRACE(index++);
    expectRead(entry, "<none>");
  }
}

TEST(DataArchive, LazyReadingWaitsForTheRequestAndPreloadingReadsAtOpen) {
  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  // Rewritten in place: the file, and any stream open on it, stays.
  const auto write = [&](const std::string& a, const std::string& b) {
    ASSERT_TRUE(test::writeFileBytes(path, buildArchive({{"a", a}, {"b", run(4, b), 4, 1}})));
  };
  for (int preload : {0, 1, 2}) {
    SCOPED_TRACE(preload);
    write("old!", "o");
    DataArchive archive(path.c_str());
    ASSERT_TRUE(archive.open(preload));
    write("new!", "n");
    const unsigned char* first = archive.entryData("a");
    EXPECT_EQ(bytesOf(archive, "a") + bytesOf(archive, "b"),
              preload == 1 ? "old!oooo" : "new!nnnn");
    // Once read, an entry keeps its block.
    write("late", "n");
    EXPECT_EQ(archive.entryData("a"), first);
    EXPECT_EQ(bytesOf(archive, "a"), preload == 1 ? "old!" : "new!");
  }
  ASSERT_TRUE(test::writeFileBytes(dir.file("two.dat"), buildArchive({{"a", "two"}})));
  DataArchive archive(path.c_str());
  ASSERT_TRUE(archive.openFile(dir.file("two.dat").c_str(), 0));
  EXPECT_EQ(bytesOf(archive, "a"), "two");
  EXPECT_FALSE(archive.openFile(dir.file("three.dat").c_str(), 1));
  EXPECT_EQ(archive.entryData("a"), nullptr);

  // An archive the user may only read opens.
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  int result = test::runUnprivileged([&] {
    if (access(path.c_str(), W_OK) == 0) return 4;  // the test would prove nothing
    DataArchive readOnly(path.c_str());
    return !readOnly.open(1) ? 1 : bytesOf(readOnly, "a") == "late" ? 0 : 2;
  });
  EXPECT_EQ(result, 0) << "1: open failed, 2: wrong content, 3: could not drop root, "
                          "4: file still writable";
}

TEST(ArchiveWriter, CodesRunsTheReaderReadsBackAndRefusesNamesTheArchiveCannotHold) {
  using Result = ArchiveWriter::AddResult;
  EXPECT_EQ(encodeRuns("ababcd", 2), run(2, "ab") + run(1, "cd"));
  EXPECT_EQ(encodeRuns(std::string(70000, 'x'), 1), run(65535, "x") + run(4465, "x"));
  const struct {
    std::string name, bytes;
    int unit, storedUnit;
  } cases[] = {
      {"stored.bin", "no runs here", 0, 0},
      {"pairs.bmp", std::string(400, 'p') + "xy", 2, 2},
      {"odd.bmp", std::string(401, 'p'), 2, 0},  // not a whole number of units
      {"noisy.bin", "abcdefghij", 1, 0},         // runs would be larger
      {"empty", "", 1, 0},
      {std::string(255, 'n'), std::string(200000, 'L'), 4, 4},
  };
  ArchiveWriter writer;
  for (const auto& c : cases) ASSERT_EQ(writer.add(c.name, c.bytes, c.unit), Result::Added);
  std::string built;
  ASSERT_TRUE(writer.build(built));
  EXPECT_LT(built.size(), 20 + std::size(cases) * 268 + 1000) << "the long runs were not coded";
  DataArchive archive;
  ASSERT_TRUE(archive.openMemory(built.data(), built.size(), 1));
  ASSERT_EQ(archive.count(), static_cast<int>(std::size(cases)));
  for (int i = 0; i < archive.count(); ++i) {
    EXPECT_EQ(archive.find(cases[i].name.c_str()), i);
    EXPECT_EQ(archive.entry(i)->unit, cases[i].storedUnit) << cases[i].name;
    EXPECT_EQ(bytesOf(archive, cases[i].name), cases[i].bytes) << cases[i].name;
  }

  // Names the archive cannot hold; a file it cannot replace is kept.
  writer = ArchiveWriter();
  ASSERT_EQ(writer.add("a", "new"), Result::Added);
  EXPECT_EQ(writer.add("a", "y"), Result::DuplicateName);
  EXPECT_EQ(writer.add("", "y"), Result::BadName);
  EXPECT_EQ(writer.add(std::string("a\0b", 3), "y"), Result::BadName);
  EXPECT_EQ(writer.add(std::string(256, 'n'), "y"), Result::NameTooLong);
  EXPECT_EQ(writer.add("b.bmp", "y", -1), Result::BadUnit);
  EXPECT_EQ(writer.entryCount(), 1u);

  test::TempDir dir;
  const std::string path = dir.file("data.dat");
  ASSERT_TRUE(test::writeFileBytes(path, "earlier"));
  ASSERT_TRUE(writer.writeFile(path.c_str()));
  ASSERT_TRUE(archive.openFile(path.c_str(), 1));
  EXPECT_EQ(bytesOf(archive, "a"), "new");
  EXPECT_FALSE(writer.writeFile(dir.file("missing/data.dat").c_str()));
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
}

// ImageMagick, the independent reader and writer of pictures.
constexpr const char* kConvert = "/usr/bin/convert";

// What ImageMagick reads: 8-bit RGB, top row first, transparent pixels in the mask colour.
std::string magickPixels(const std::string& path, const std::string& scratch) {
  ProgramResult read = runProgram(kConvert, {path, "-background", "#FF00FF", "-alpha", "remove",
                                       "-alpha", "off", "-depth", "8", "rgb:" + scratch});
  EXPECT_EQ(read.status, 0) << read.err;
  return test::readFileBytes(scratch);
}

// The picture in a BMP file's bytes; fails the test when they are not one.
RasterImage decoded(const std::string& bytes, const std::string& what) {
  RasterImage image;
  std::string reason;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  EXPECT_TRUE(decodeBmp(data, bytes.size(), image, reason)) << what << ": " << reason;
  return image;
}

TEST(PictureFiles, BmpFilesAndPackedPngFilesDecodeToThePixelsImageMagickReads) {
  test::TempDir dir;
  // Many colours, fixed by the seed; 18 x 20 like a tile, so rows need
  // padding at every bit count.
  const std::string source = dir.file("source.png");
  ASSERT_EQ(runProgram(kConvert, {"-seed", "14", "-size", "18x20", "plasma:", source}).status, 0);
  // convert's words and format: BMP3 (a 40-byte header), BMP (124) or BMP2 (OS/2)
  // from that picture; PNG pictures of their own, a corner transparent, via vekpack.
  const std::pair<std::string, PixelLayout> cases[] = {
      {"-type truecolor BMP3", PixelLayout::Rgb888},
      {"-type truecolor BMP", PixelLayout::Rgb888},
      {"-type truecolor BMP2", PixelLayout::Rgb888},
      {"-type palette -compress none BMP", PixelLayout::Indexed},
      {"-type palette BMP", PixelLayout::Indexed},  // run-length coded
      {"-type palette BMP3", PixelLayout::Indexed},
      {"-type palette BMP2", PixelLayout::Indexed},
      {"-type truecolor -define bmp:subtype=RGB565 BMP", PixelLayout::Rgb565},
      {"-type truecolor -define bmp:subtype=RGB555 BMP", PixelLayout::Rgb555},
      {"-type truecolormatte BMP", PixelLayout::Rgb888x},  // bit fields with an alpha mask
      {"-size 18x20 gradient:#123456-#abcdef -colors 5 -alpha set -channel A "
       "-fx i<3&&j<3?0:1 -depth 8 PNG",
       PixelLayout::Indexed},
      {"-seed 9 -size 30x26 plasma: -alpha set -channel A -fx i<5&&j<5?0:1 -depth 8 PNG",
       PixelLayout::Rgb888},  // more than 256 colours
  };
  for (const auto& [words, layout] : cases) {
    std::istringstream in(words);
    std::vector<std::string> args;
    for (std::string word; in >> word;) args.push_back(word);
    const bool png = args.back() == "PNG";
    if (!png) args.insert(args.begin(), source);
    const std::string file = dir.file(png ? "tile.png" : "tile.bmp");
    args.back() += ":" + file;
    ASSERT_EQ(runProgram(kConvert, args).status, 0) << words;
    std::string bytes = test::readFileBytes(file);
    if (png) {
      ProgramResult pack = runProgram(VEKPACK_PATH, {dir.file("tiles.dat"), file});
      ASSERT_EQ(pack.status, 0) << pack.output();
      DataArchive archive(dir.file("tiles.dat").c_str());
      ASSERT_TRUE(archive.open(1));
      bytes = bytesOf(archive, "tile.bmp");
    }
    RasterImage image = decoded(bytes, words);
    EXPECT_EQ(image.layout, layout) << words;
    EXPECT_TRUE(image.rgbBytes() == magickPixels(file, dir.file("tile.rgb"))) << words;
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
    const int rows = std::min(5, height - row);
    ASSERT_TRUE(png.writeRows(bytes + row * width * 3, rows, reason)) << reason;
    EXPECT_EQ(test::readFileBytes(path), "earlier file") << "replaced before it was complete";
  }
  EXPECT_FALSE(png.writeRows(bytes, 1, reason)) << "a row past the height";
  ASSERT_TRUE(png.finish(reason)) << reason;
  EXPECT_EQ(magickPixels(path, dir.file("back.rgb")), rgb);
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 2u) << "a temporary file was left behind";

  const std::string written = test::readFileBytes(path);
  auto read = [&](const std::string& file, int maxSide, RgbaImage& image) {
    const auto* data = reinterpret_cast<const unsigned char*>(file.data());
    return readPng(data, file.size(), maxSide, image, reason);
  };
  RgbaImage back;
  ASSERT_TRUE(read(written, width, back)) << reason;
  EXPECT_EQ(back.rgba.size(), rgb.size() / 3 * 4);

  std::string badCrc = written;
  badCrc[30] ^= 1;  // inside the header chunk
  const std::tuple<std::string, int, const char*> refused[] = {
      {written.substr(0, written.size() / 2), 4096, "file cut short"},
      {written.substr(0, 7), 4096, "not a PNG file"},
      {badCrc, 4096, "IHDR: CRC error"},
      {written, width - 1, "size 37 x 23 is not 1 to 36 pixels a side"},
  };
  for (const auto& [file, maxSide, why] : refused) {
    EXPECT_FALSE(read(file, maxSide, back));
    EXPECT_EQ(reason, why);
    EXPECT_TRUE(back.rgba.empty());
  }
  EXPECT_FALSE(writePngFile(dir.file("no/such/folder.png"), 1, 1, bytes, reason));
  EXPECT_TRUE(contains(reason, "no/such/folder.png: No such file or directory")) << reason;
}

TEST(Vekpack, FailuresExitNonZeroAndLeaveTheEarlierArchive) {
  test::TempDir dir;
  ASSERT_EQ(mkdir(dir.file("a").c_str(), 0755) + mkdir(dir.file("b").c_str(), 0755), 0);
  const std::string out = dir.file("out.dat"), x = dir.file("a/x.bmp");
  const std::pair<std::string, std::string> files[] = {
      {x, "one"}, {dir.file("b/x.bmp"), "two"}, {dir.file("a/bad.png"), "\x89PNG but not"},
      {out, "earlier archive"}};
  for (const auto& [name, bytes] : files) ASSERT_TRUE(test::writeFileBytes(name, bytes));
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{out, x, dir.file("missing.bmp")}, 1, "missing.bmp"},
      {{out, x, dir.file("b/x.bmp")}, 1, "x.bmp"},  // two files of one name
      {{out, dir.file("a")}, 1, "not a regular file"},
      {{out}, 64, "usage"},
      {{"--rle", "0", out, x}, 64, "--rle"},
      {{"--fast", out, x}, 64, "--fast"},
      {{out, x, dir.file("a/bad.png")}, 1, dir.file("a/bad.png") + ": not a PNG file"},
      {{"--list", dir.file("none.dat")}, 1, "none.dat"},
      {{"--list", out}, 1, "not a data.dat archive"},
      {{dir.file("no/out.dat"), x}, 1, "cannot write"},
  };
  for (const auto& [args, status, message] : cases) {
    ProgramResult outcome = runProgram(VEKPACK_PATH, args);
    EXPECT_EQ(outcome.status, status) << message << ": " << outcome.output();
    EXPECT_TRUE(contains(outcome.output(), message)) << message << ": " << outcome.output();
    EXPECT_EQ(test::readFileBytes(out), "earlier archive") << message;
  }
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 3u) << "a temporary file was left behind";

  ProgramResult replaced = runProgram(VEKPACK_PATH, {out, x});
  EXPECT_EQ(replaced.status, 0) << replaced.output();
  DataArchive archive(out.c_str());
  ASSERT_TRUE(archive.open(1));
  EXPECT_EQ(bytesOf(archive, "x.bmp"), "one");
  // An entry whose data runs past the end is listed as unreadable.
  std::string bytes = test::readFileBytes(out);
  ASSERT_TRUE(test::writeFileBytes(out, bytes.substr(0, bytes.size() - 1)));
  ProgramResult list = runProgram(VEKPACK_PATH, {"--list", out});
  EXPECT_EQ(list.status, 1) << list.output();
  EXPECT_TRUE(contains(list.out, " unreadable entry\n")) << list.output();
}

TEST(Vekpack, ExtractedTilesPackBackAndListAsTheFilesGiven) {
  test::TempDir dir;
  auto stored = runProgram(VEKPACK_PATH, {"--extract", VEK_DATA_DAT, dir.file("stored")});
  auto png = runProgram(VEKPACK_PATH, {"--extract", VEK_DATA_DAT, dir.file("png"), "--png"});
  ASSERT_EQ(stored.status + png.status, 0) << stored.output() << png.output();
  std::vector<std::string> bmps{"--rle", "1", dir.file("packed.dat")}, pngs{dir.file("again.dat")};
  for (int code = 0; code < 256; ++code) {
    bmps.push_back(dir.file("stored/" + std::to_string(code) + ".bmp"));
    pngs.push_back(dir.file("png/" + std::to_string(code) + ".png"));
  }
  for (const auto& args : {bmps, pngs}) {
    ProgramResult pack = runProgram(VEKPACK_PATH, args);
    ASSERT_EQ(pack.status, 0) << pack.output();
    EXPECT_FALSE(contains(pack.output(), "warning")) << pack.output();
  }
  ProgramResult list = runProgram(VEKPACK_PATH, {"--list", dir.file("packed.dat")});
  ASSERT_EQ(list.status, 0) << list.output();

  DataArchive original(VEK_DATA_DAT), packed(dir.file("packed.dat").c_str()),
      repacked(dir.file("again.dat").c_str());
  ASSERT_TRUE(original.open(1) && packed.open(1) && repacked.open(1));
  for (int code = 0; code < 256; ++code) {
    std::string name = std::to_string(code) + ".bmp";
    std::string bytes = test::readFileBytes(dir.file("stored/" + name));
    EXPECT_EQ(bytesOf(original, name), bytes) << name;
    EXPECT_EQ(bytesOf(packed, name), bytes) << name;
    std::size_t at = list.out.find("\n" + name + " ");
    std::string row = list.out.substr(at, list.out.find('\n', at + 1) - at);
    EXPECT_TRUE(contains(row, " " + std::to_string(bytes.size()) + " ") &&
                contains(row, "  picture 18 x 20"))
        << name << ": " << row;
    EXPECT_TRUE(decoded(bytesOf(repacked, name), name).rgbBytes() ==
                decoded(bytes, name).rgbBytes());
  }
}

TEST(Vekpack, CheckListsWhatTheEditorCannotUse) {
  test::TempDir dir;
  const std::string five = dir.file("5.bmp"), seven = dir.file("7.bmp"), zero = dir.file("0.bmp");
  ASSERT_EQ(runProgram(kConvert, {"-size", "16x16", "xc:red", "BMP3:" + five}).status, 0);
  ASSERT_EQ(runProgram(kConvert, {"-size", "18x20", "xc:blue", seven}).status, 0);
  std::string bmp = test::readFileBytes(seven);
  ASSERT_TRUE(test::writeFileBytes(zero, bmp.substr(0, bmp.size() / 2)));
  ASSERT_TRUE(test::writeFileBytes(dir.file("notes.txt"), "notes"));
  const std::vector<std::string> bad{dir.file("bad.dat"), zero, five, seven, dir.file("notes.txt")},
      good{dir.file("good.dat"), five, dir.file("notes.txt")};
  for (const auto& files : {bad, good}) {
    ProgramResult pack = runProgram(VEKPACK_PATH, files);
    ASSERT_EQ(pack.status, 0) << pack.output();
    const std::string warning = " (entry 0.bmp): not a usable picture: pixel data cut short";
    EXPECT_EQ(contains(pack.output(), "warning: " + zero + warning), files == bad)
        << pack.output();
    ProgramResult check = runProgram(VEKPACK_PATH, {"--check", files[0]});
    EXPECT_EQ(check.status, files == bad ? 1 : 0) << "only tile entries decide: " << check.output();
    EXPECT_TRUE(contains(check.out, "5.bmp: warning: picture 16 x 16, not 18 x 20") &&
                contains(check.out, "notes.txt: not a usable picture: not a BMP file"))
        << check.output();
    EXPECT_EQ(contains(check.out, "0.bmp: not a usable picture: pixel data cut short"),
              files == bad);
    EXPECT_FALSE(contains(check.out, "7.bmp")) << check.output();
  }
}

}  // namespace
}  // namespace vek
