// Failed saves keep the earlier file; loads need only read access. Failures
// come from what a mode bit cannot cause, so they hold for root too.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "map/map.h"
#include "map_bytes.h"
#include "child_process.h"
#include "temp_dir.h"

namespace vek {
namespace {

using test::folderEntries;

Map patternMap() {
  Map map;
  for (int y = 0; y < Map::kRows; ++y)
    for (int x = 0; x < Map::kColumns; ++x) map.setTile(x, y, test::patternCode(x, y));
  map.addTeleport(3, 4, "NEXT");
  return map;
}

TEST(MapSaveFailure, UnwritablePlacesGiveFalseAndASaveKeepsThePermissions) {
  test::TempDir dir;
  ASSERT_TRUE(test::writeFileBytes(dir.file("plain"), "not a folder"));
  mkdir(dir.file("folder.MAP").c_str(), 0755);
  Map map = patternMap();
  const std::string paths[] = {
      dir.file("missing/VEKAA.MAP"),  // folder does not exist
      dir.file("plain/VEKAA.MAP"),    // folder part is a regular file
      dir.file("folder.MAP"),         // a folder stands where the file goes
      "",
  };
  for (const std::string& path : paths) EXPECT_FALSE(map.save(path.c_str())) << path;
  EXPECT_EQ(test::readFileBytes(dir.file("plain")), "not a folder");
  struct stat info;
  ASSERT_EQ(stat(dir.file("folder.MAP").c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(folderEntries(dir.path()).size(), 2u) << "a temporary file was left behind";

  // A successful save replaces the file and keeps its permissions.
  std::string path = dir.file("VEKAA.MAP");
  ASSERT_TRUE(test::writeFileBytes(path, "old"));
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(map.save(path.c_str()));
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(test::readFileBytes(path).substr(0, 20), "WILDERNESS!>23,16:NE");
  EXPECT_EQ(folderEntries(dir.path()).size(), 3u);
}

TEST(MapSaveFailure, AWriteCutShortByTheFileSizeLimitKeepsTheEarlierFile) {
  test::TempDir dir;
  std::string path = dir.file("VEKAA.MAP");
  std::string earlier = test::patternFile("LOCAL!~EXIT~>25,20:EARLIER!", 23);
  ASSERT_TRUE(test::writeFileBytes(path, earlier));

  int result = test::runInChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{600, 600};  // the new file needs 1,263 bytes
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    return patternMap().save(path.c_str()) ? 1 : 0;
  });
  EXPECT_EQ(result, 0) << "save reported success (1) or could not set the limit (3)";
  EXPECT_EQ(test::readFileBytes(path), earlier);
  EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"VEKAA.MAP"});
}

TEST(MapSaveFailure, AMapFileTheUserMayOnlyReadStillLoads) {
  test::TempDir dir;
  std::string path = dir.file("READONLY.MAP");
  ASSERT_TRUE(patternMap().save(path.c_str()));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);

  int result = test::runUnprivileged([&] {
    if (access(path.c_str(), W_OK) == 0) return 4;  // the test would prove nothing
    Map map;
    if (!map.load(path.c_str())) return 1;
    return map.getTile(47, 23) == test::patternCode(47, 23) && map.teleportCount() == 1 ? 0 : 2;
  });
  EXPECT_EQ(result, 0) << "1: load failed, 2: wrong content, 3: could not drop root, "
                          "4: file still writable";
}

}  // namespace
}  // namespace vek
