// The world check over a hand-made world with each problem once.
#include <gtest/gtest.h>

#include "map/world_check.h"
#include "problem_world.h"

namespace vek {
namespace {

TEST(WorldCheck, FindsEachKindOfProblemOnceInItsFile) {
  test::TempDir dir;
  std::string folder = dir.path() + "/";
  test::writeProblemWorld(folder);
  WorldCheck check = checkWorld(folder);
  ASSERT_TRUE(check.folderReadable);
  EXPECT_EQ(check.mapFiles, 399 + 6);

  using Kind = WorldProblemKind;
  const std::pair<std::string, Kind> expected[] = {
      {"BROKEN.MAP", Kind::NotAMap},
      {"ISLAND.MAP", Kind::Unreachable},
      {"ORPHAN.MAP", Kind::NoWayIn},
      {"VEKAA.MAP", Kind::MissingDestination},
      {"VEKAA.MAP", Kind::TeleportOutside},
      {"VEKAA.MAP", Kind::BadTeleportName},
      {"VEKAA.MAP", Kind::NoWayBack},
      {"VEKTT.MAP", Kind::MissingWilderness},
  };
  ASSERT_EQ(check.problems.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(check.problems[i].file, expected[i].first) << i;
    EXPECT_EQ(check.problems[i].kind, expected[i].second) << check.problems[i].text;
  }
  EXPECT_EQ(check.problemCount(), 7);
  EXPECT_EQ(check.warningCount(), 1);
}

TEST(WorldCheck, PlainNamesAndAnUnreadableFolder) {
  const std::pair<const char*, bool> names[] = {
      {"CAVE", true}, {"T.AB", true}, {"", false},   {"a/b", false},
      {"..", false},  {"x>y", false}, {"x!", false}, {"a\nb", false},
  };
  for (const auto& [name, plain] : names) EXPECT_EQ(isPlainMapName(name), plain) << name;
  EXPECT_FALSE(checkWorld("/nonexistent-folder/").folderReadable);
}

}  // namespace
}  // namespace vek
