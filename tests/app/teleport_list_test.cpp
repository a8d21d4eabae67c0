// The teleport list: rows as it scrolls, names cut before "-", and a
// missing destination's "?" looked up only when the teleports change.
#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "app/teleport_list.h"
#include "app_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

constexpr int kScreenHeight = 700;  // 60 rows fit

TEST(TeleportList, RowsShowTheTeleportsFromTheFirstShownOnWhateverTheCount) {
  struct Case {
    const char* name;
    int count;
    int scrolled;      // rows
    int removedAfter;  // teleports removed after scrolling
    int y;             // a row's height on the screen
    int teleport;      // the index it shows, -1 none
  } cases[] = {
      {"short list", 5, 0, 0, 140, 4},
      {"below a short list", 5, 0, 0, 150, -1},
      {"above the rows", 80, 0, 0, 99, -1},
      {"last row that fits", 80, 0, 0, 695, 59},
      {"below the screen", 80, 0, 0, 700, -1},
      {"scrolled to the end", 80, 100, 0, 695, 79},
      {"scrolled a little", 80, 3, 0, 100, 3},
      {"scrolled back past the top", 80, -5, 0, 100, 0},
      {"end shrinks as rows go", 80, 20, 15, 100, 5},
      {"short list does not scroll", 5, 10, 0, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TeleportList list;
    list.scroll(c.scrolled, c.count, kScreenHeight);
    EXPECT_EQ(list.teleportAt(c.y, c.count - c.removedAfter, kScreenHeight), c.teleport);
  }
}

TEST(TeleportList, LongNamesAreCutWithDotsBeforeTheMinusColumn) {
  test::useColorDepth(32);
  const char* cases[][2] = {
      {"SEVEN77", "SEVEN77"},  // 56 pixels fit in 60
      {"EIGHT888", "EIGH..."},
      {"\xC3\x84\xC3\x96\xC3\x9C\xC3\x84\xC3\x96\xC3\x9C\xC3\x84\xC3\x96",  // 8 letters
       "\xC3\x84\xC3\x96\xC3\x9C\xC3\x84..."},
  };
  for (auto [name, shown] : cases) EXPECT_EQ(fittedName(name, kNameWidth), shown) << name;
}

TEST(TeleportList, AMissingDestinationIsLookedUpWhenTheTeleportsChangeNotOnEveryDraw) {
  test::HeadlessEditor editor;
  EditorApp& app = editor.start({}, editor.dir.file("VEKAA.MAP"));
  auto questionMarked = [&] {
    return test::countPixels(editor.frame(), 920, 100, 60, 8, makecol(255, 255, 0)) > 0;
  };
  app.context().document.apply([](Map& map) { map.addTeleport(1, 1, "CAVE"); });
  editor.pass(995, 695);
  EXPECT_TRUE(questionMarked());
  ASSERT_TRUE(test::writeFileBytes(editor.dir.file("CAVE.MAP"), "WILDERNESS!\r\n"));
  editor.pass(995, 695);
  EXPECT_TRUE(questionMarked()) << "a pass looks at no file";
  app.context().document.apply([](Map& map) { map.addTeleport(2, 1, "HALL"); });
  editor.pass(995, 695);
  EXPECT_FALSE(questionMarked());
}

}  // namespace
}  // namespace vek
