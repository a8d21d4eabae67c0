// The teleport list that fits the screen: which teleport each row shows as
// it scrolls, names cut before the "-" column, the arrows when it scrolls.
#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "app/teleport_list.h"
#include "app_test_support.h"
#include "headless_allegro.h"
#include "temp_dir.h"

namespace vek {
namespace {

constexpr int kScreenHeight = 700;  // 60 rows fit

Map mapWithTeleports(int count) {
  Map map;
  for (int i = 0; i < count; ++i) map.addTeleport(i % 48 + 1, i % 24 + 1, ("T" + std::to_string(i)).c_str());
  return map;
}

TEST(TeleportList, RowsShowTheTeleportsFromTheFirstShownOnWhateverTheCount) {
  struct Case {
    const char* name;
    int count;
    int scrolled;      // rows, after reset
    int removedAfter;  // teleports removed after scrolling
    int firstShown;
    int y;             // a row's height on the screen
    int teleport;      // the index it shows, -1 none
  } cases[] = {
      {"short list", 5, 0, 0, 0, 140, 4},
      {"below a short list", 5, 0, 0, 0, 150, -1},
      {"above the rows", 80, 0, 0, 0, 99, -1},
      {"last row that fits", 80, 0, 0, 0, 695, 59},
      {"below the screen", 80, 0, 0, 0, 700, -1},
      {"scrolled to the end", 80, 100, 0, 20, 695, 79},
      {"scrolled a little", 80, 3, 0, 3, 100, 3},
      {"scrolled back past the top", 80, -5, 0, 0, 100, 0},
      {"end shrinks as rows go", 80, 20, 15, 5, 100, 5},
      {"short list does not scroll", 5, 10, 0, 0, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TeleportList list;
    list.scroll(c.scrolled, c.count, kScreenHeight);
    int count = c.count - c.removedAfter;
    EXPECT_EQ(list.firstShown(count, kScreenHeight), c.firstShown);
    EXPECT_EQ(list.teleportAt(c.y, count, kScreenHeight), c.teleport);
    list.reset();
    EXPECT_EQ(list.firstShown(count, kScreenHeight), 0);
  }
  EXPECT_EQ(TeleportList::rowsThatFit(kScreenHeight), 60);
  EXPECT_TRUE(TeleportList::isOnDownArrow(995, 695, kScreenHeight));
  EXPECT_FALSE(TeleportList::isOnDownArrow(985, 695, kScreenHeight));
  EXPECT_TRUE(TeleportList::isOnUpArrow(990, 100));
}

TEST(TeleportList, LongNamesAreCutWithDotsBeforeTheMinusColumn) {
  test::useColorDepth(32);
  struct Case {
    const char* name;
    const char* shown;
  } cases[] = {
      {"", ""},
      {"SEVEN77", "SEVEN77"},               // 56 pixels fit in 60
      {"EIGHT888", "EIGH..."},
      {"A_VERY_LONG_DESTINATION", "A_VE..."},
      {"\xC3\x84\xC3\x96\xC3\x9C\xC3\x84\xC3\x96\xC3\x9C\xC3\x84\xC3\x96",  // 8 letters
       "\xC3\x84\xC3\x96\xC3\x9C\xC3\x84..."},
  };
  for (const Case& c : cases) {
    std::string shown = fittedName(c.name, kNameWidth);
    EXPECT_EQ(shown, c.shown) << c.name;
    EXPECT_LE(text_length(font, shown.c_str()), kNameWidth) << c.name;
  }
}

TEST(TeleportList, ArrowsShowOnlyWhenTheListDoesNotFitAndEveryShownRowHasItsMinus) {
  test::useColorDepth(32);
  test::BitmapPtr target = test::blankBitmap(1000, kScreenHeight);
  test::TempDir folder;
  ASSERT_TRUE(test::writeFileBytes(folder.file("T79.MAP"), "WILDERNESS!\r\n"));
  for (int count : {5, 80}) {
    SCOPED_TRACE(count);
    clear_bitmap(target.get());
    Map map = mapWithTeleports(count);
    TeleportList list;
    list.scroll(100, count, kScreenHeight);
    list.draw(target.get(), map, folder.path() + "/");
    int rows = count < 60 ? count : 60;
    for (int row = 0; row < 60; ++row) {
      EXPECT_EQ(test::countPixels(target.get(), 980, 100 + 10 * row, 10, 10, test::red()) > 0,
                row < rows)
          << "row " << row;
    }
    int arrowPixels = test::countPixels(target.get(), 990, 100, 10, 600, 0);
    EXPECT_EQ(arrowPixels < 6000, count > 60);
    if (count > 60) {
      EXPECT_EQ(test::textDifferences(target.get(), 920, 690, "T79", test::white()), "");
      // Every other destination is missing: a yellow "?" after its name.
      EXPECT_GT(test::countPixels(target.get(), 944, 680, 8, 8, makecol(255, 255, 0)), 0);
      EXPECT_EQ(test::countPixels(target.get(), 944, 690, 8, 8, makecol(255, 255, 0)), 0);
    }
  }
}

}  // namespace
}  // namespace vek
