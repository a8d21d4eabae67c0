// Journal recovery: undoes or completes only what its own journal names,
// inside the folder, and waits while a writer holds the folder.
#include "core/file_set.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/file_descriptor.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

constexpr char kTemp[] = ".vekmap-1-7.tmp";

TEST(FileSetRecovery, UndoesOrCompletesOnlyWhatItsOwnJournalNames) {
  struct Case {
    const char* what;
    std::string journal;
    bool folderLocked;
    const char* mapAfter;     // content of m.MAP afterwards
    bool tempLeft, journalLeft;
  };
  const std::string header = "VEK FILE SET 1\n";
  const Case cases[] = {
      {"being written", header + "writing\n" + kTemp + "/m.MAP\n", false, "old", false, false},
      {"renames due", header + "renaming\n" + kTemp + "/m.MAP\n", false, "new", false, false},
      {"renames done", header + "renaming\n.vekmap-1-8.tmp/m.MAP\n", false, "old", true, false},
      {"a writer runs", header + "renaming\n" + kTemp + "/m.MAP\n", true, "old", true, true},
      {"out of the folder", header + "renaming\n" + kTemp + "/../m.MAP\n", false, "old", true,
       false},
      {"not a temporary file", header + "renaming\nother.MAP/m.MAP\n", false, "old", true, false},
      {"torn", header + "renaming\n" + kTemp, false, "old", true, false},
      {"not ours", "anything", false, "old", true, false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string folder = dir.path() + "/";
    ASSERT_TRUE(writeFileBytes(folder + "m.MAP", "old"));
    ASSERT_TRUE(writeFileBytes(folder + "other.MAP", "other"));
    ASSERT_TRUE(writeFileBytes(folder + kTemp, "new"));
    ASSERT_TRUE(writeFileBytes(folder + kFileSetJournalName, c.journal));
    FileDescriptor writer(openFolder(folder));
    if (c.folderLocked) {
      ASSERT_EQ(flock(writer.get(), LOCK_EX), 0);
    }

    recoverFileSet(folder);
    EXPECT_EQ(readFileBytes(folder + "m.MAP"), c.mapAfter) << c.what;
    EXPECT_EQ(readFileBytes(folder + "other.MAP"), "other") << c.what;
    EXPECT_EQ(std::filesystem::exists(folder + kTemp), c.tempLeft) << c.what;
    EXPECT_EQ(std::filesystem::exists(folder + kFileSetJournalName), c.journalLeft) << c.what;
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/../m.MAP")) << c.what;
  }
}

TEST(FileSetWrite, RefusesAFileOutsideTheFolderAndChangesNothing) {
  TempDir dir;
  const std::string folder = dir.path() + "/";
  ASSERT_TRUE(writeFileBytes(folder + "a.MAP", "old"));
  FileSetResult result =
      replaceFileSet(folder, {{folder + "a.MAP", "new"}, {folder + "sub/b.MAP", "new"}});
  EXPECT_EQ(result.filesReplaced, 0);
  ASSERT_EQ(result.failures.size(), 1u);
  EXPECT_EQ(result.failures[0].path, folder + "sub/b.MAP");
  EXPECT_EQ(readFileBytes(folder + "a.MAP"), "old");
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);

  result = replaceFileSet(folder, {{folder + "a.MAP", "new"}, {folder + "b.MAP", "b"}});
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.filesReplaced, 2);
  EXPECT_EQ(readFileBytes(folder + "a.MAP"), "new");
  EXPECT_EQ(test::folderEntries(dir.path()).size(), 2u);
}

}  // namespace
}  // namespace vek
