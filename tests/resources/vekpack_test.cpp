// vekpack driven as a program: what it packs and lists agrees with the files
// it was given, and its failures leave no archive behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "resources/data_archive.h"
#include "child_process.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::folderEntries;

struct Outcome {
  int status;
  std::string output;  // stdout and stderr together
};

Outcome runProgram(const std::string& program, std::vector<std::string> args) {
  args.insert(args.begin(), program);
  test::ProgramResult result = test::runProgram(args);
  return {result.status, result.out + result.err};
}

struct Listed {
  long size;
  long unit;
  std::string content;
};

// The listing's rows by entry name.
std::map<std::string, Listed> parseListing(const std::string& output) {
  std::map<std::string, Listed> rows;
  std::istringstream lines(output);
  std::string line;
  std::getline(lines, line);  // the column titles
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string name;
    Listed row;
    fields >> name >> row.size >> row.unit >> std::ws;
    std::getline(fields, row.content);
    rows[name] = row;
  }
  return rows;
}

TEST(Vekpack, ListingAgreesWithTheFilesItWasGiven) {
  test::TempDir dir;
  ASSERT_EQ(mkdir(dir.file("tiles").c_str(), 0755), 0);
  Outcome tiles =
      runProgram(VEKTILES_PATH, {dir.file("unused.dat"), "--bmp-dir", dir.file("tiles")});
  ASSERT_EQ(tiles.status, 0) << tiles.output;
  ASSERT_TRUE(test::writeFileBytes(dir.file("tiles/notes.txt"), "not a picture"));

  std::vector<std::string> files;
  for (const std::string& name : folderEntries(dir.file("tiles")))
    files.push_back(dir.file("tiles/" + name));
  ASSERT_EQ(files.size(), 257u);
  std::vector<std::string> packArgs = {"--rle", "1", dir.file("packed.dat")};
  packArgs.insert(packArgs.end(), files.begin(), files.end());
  Outcome pack = runProgram(VEKPACK_PATH, packArgs);
  ASSERT_EQ(pack.status, 0) << pack.output;

  Outcome list = runProgram(VEKPACK_PATH, {"--list", dir.file("packed.dat")});
  ASSERT_EQ(list.status, 0) << list.output;
  std::map<std::string, Listed> rows = parseListing(list.output);
  ASSERT_EQ(rows.size(), files.size()) << list.output;

  DataArchive archive(dir.file("packed.dat").c_str());
  ASSERT_TRUE(archive.open(1));
  bool someCoded = false, someStored = false;
  for (const std::string& path : files) {
    std::string name = path.substr(path.rfind('/') + 1);
    std::string bytes = test::readFileBytes(path);
    ASSERT_TRUE(rows.count(name)) << name;
    const Listed& row = rows[name];
    EXPECT_EQ(row.size, static_cast<long>(bytes.size())) << name;
    EXPECT_TRUE(row.unit == 0 || row.unit == 1) << name;
    someCoded |= row.unit == 1;
    someStored |= row.unit == 0;
    EXPECT_EQ(row.content,
              name == "notes.txt" ? "not a picture: not a BMP file (no \"BM\")" : "picture 18 x 20")
        << name;

    std::size_t size = 0;
    const unsigned char* data = archive.entryData(name.c_str(), &size);
    ASSERT_NE(data, nullptr) << name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), bytes) << name;
  }
  EXPECT_TRUE(someCoded);
  EXPECT_TRUE(someStored);
}

TEST(Vekpack, FailuresExitNonZeroAndLeaveTheEarlierArchive) {
  test::TempDir dir;
  ASSERT_EQ(mkdir(dir.file("a").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(dir.file("b").c_str(), 0755), 0);
  ASSERT_TRUE(test::writeFileBytes(dir.file("a/x.bmp"), "one"));
  ASSERT_TRUE(test::writeFileBytes(dir.file("b/x.bmp"), "two"));
  const std::string out = dir.file("out.dat");
  ASSERT_TRUE(test::writeFileBytes(out, "earlier archive"));

  struct Case {
    const char* what;
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"a missing file", {out, dir.file("a/x.bmp"), dir.file("missing.bmp")}, 1, "missing.bmp"},
      {"two files of one name", {out, dir.file("a/x.bmp"), dir.file("b/x.bmp")}, 1, "x.bmp"},
      {"a folder as input", {out, dir.file("a")}, 1, "not a regular file"},
      {"no files", {out}, 2, "usage"},
      {"no arguments", {}, 2, "usage"},
      {"unit 0", {"--rle", "0", out, dir.file("a/x.bmp")}, 2, "--rle"},
      {"unit not a number", {"--rle", "two", out, dir.file("a/x.bmp")}, 2, "--rle"},
      {"an unknown option", {"--fast", out, dir.file("a/x.bmp")}, 2, "--fast"},
      {"listing a missing archive", {"--list", dir.file("none.dat")}, 1, "none.dat"},
      {"listing what is not an archive", {"--list", out}, 1, "not a data.dat archive"},
      {"an archive in a missing folder",
       {dir.file("no/out.dat"), dir.file("a/x.bmp")},
       1,
       "cannot write"},
  };
  for (const Case& c : cases) {
    Outcome outcome = runProgram(VEKPACK_PATH, c.args);
    EXPECT_EQ(outcome.status, c.status) << c.what << ": " << outcome.output;
    EXPECT_NE(outcome.output.find(c.message), std::string::npos)
        << c.what << ": " << outcome.output;
    EXPECT_EQ(test::readFileBytes(out), "earlier archive") << c.what;
  }
  EXPECT_EQ(folderEntries(dir.path()).size(), 3u) << "a temporary file was left behind";

  Outcome replaced = runProgram(VEKPACK_PATH, {out, dir.file("a/x.bmp")});
  EXPECT_EQ(replaced.status, 0) << replaced.output;
  DataArchive archive(out.c_str());
  ASSERT_TRUE(archive.open(1));
  EXPECT_EQ(archive.find("x.bmp"), 0);
}

TEST(Vekpack, ListingMarksAnEntryThatCannotBeRead) {
  test::TempDir dir;
  ASSERT_TRUE(test::writeFileBytes(dir.file("a.txt"), "aaaa"));
  const std::string path = dir.file("packed.dat");
  ASSERT_EQ(runProgram(VEKPACK_PATH, {path, dir.file("a.txt")}).status, 0);
  std::string bytes = test::readFileBytes(path);
  bytes.resize(bytes.size() - 1);  // the entry's data now runs past the end
  ASSERT_TRUE(test::writeFileBytes(path, bytes));
  Outcome list = runProgram(VEKPACK_PATH, {"--list", path});
  EXPECT_EQ(list.status, 1) << list.output;
  EXPECT_EQ(parseListing(list.output)["a.txt"].content, "unreadable entry") << list.output;
}

}  // namespace
}  // namespace vek
