// The progress bar's extent for ordinary and odd ranges, in both directions,
// compared pixel by pixel at 16 and 32 bits per pixel.
#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "gui/form.h"
#include "gui_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

using test::blankBitmap;
using test::imageDifferences;
using test::white;

struct BarCase {
  const char* what;
  int orientation;
  int minimum;
  int maximum;
  int value;
  int width;
  int height;
  bool hasBar;
  // The bar's corners relative to the control's top-left pixel, inclusive.
  int barLeft, barTop, barRight, barBottom;
};

constexpr bool kNone = false;
constexpr bool kBar = true;

const BarCase kBarCases[] = {
    {"value 0 shows nothing", Horizontal, 0, 100, 0, 50, 20, kNone, 0, 0, 0, 0},
    {"value 1 is one column", Horizontal, 0, 100, 1, 50, 20, kBar, 0, 0, 0, 19},
    {"value 1 under 101 wide", Horizontal, 0, 100, 1, 100, 20, kBar, 0, 0, 0, 19},
    {"half: 50*50/101 = 24.75", Horizontal, 0, 100, 50, 50, 20, kBar, 0, 0, 24, 19},
    {"full 50 wide", Horizontal, 0, 100, 100, 50, 20, kBar, 0, 0, 49, 19},
    {"full 101 wide", Horizontal, 0, 100, 100, 101, 20, kBar, 0, 0, 100, 19},
    {"full 150 wide is 149", Horizontal, 0, 100, 100, 150, 20, kBar, 0, 0, 148, 19},
    {"vertical value 0", Vertical, 0, 100, 0, 20, 40, kNone, 0, 0, 0, 0},
    {"vertical value 1 is the bottom row", Vertical, 0, 100, 1, 20, 40, kBar, 0, 39, 19, 39},
    {"vertical half: 40 - 19.8", Vertical, 0, 100, 50, 20, 40, kBar, 0, 20, 19, 39},
    {"vertical full", Vertical, 0, 100, 100, 20, 40, kBar, 0, 0, 19, 39},
    {"unknown orientation", 3, 0, 100, 50, 50, 20, kNone, 0, 0, 0, 0},
    // Values and ranges outside the rules: the bar stays in the rectangle.
    {"value above maximum", Horizontal, 0, 100, 150, 50, 20, kBar, 0, 0, 49, 19},
    {"vertical value above maximum", Vertical, 0, 100, 500, 20, 40, kBar, 0, 0, 19, 39},
    {"value below minimum", Horizontal, 0, 100, -5, 50, 20, kNone, 0, 0, 0, 0},
    {"empty range 10..9", Horizontal, 10, 9, 20, 50, 20, kNone, 0, 0, 0, 0},
    {"inverted range 10..0, value inside", Horizontal, 10, 0, 5, 50, 20, kNone, 0, 0, 0, 0},
    {"inverted range 10..0, value above", Vertical, 10, 0, 20, 20, 40, kNone, 0, 0, 0, 0},
    {"negative share", Horizontal, -100, 100, -50, 50, 20, kNone, 0, 0, 0, 0},
    {"share above 1 (75 / 51)", Horizontal, 50, 100, 75, 50, 20, kBar, 0, 0, 49, 19},
    {"widest int range", Horizontal, INT_MIN, INT_MAX, INT_MAX, 50, 20, kBar, 0, 0, 24, 19},
};

class ProgressBarDrawing : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { test::useColorDepth(GetParam()); }
};

TEST_P(ProgressBarDrawing, BarCoversTheExpectedPixelsAndNoOthers) {
  const int green = makecol(0, 255, 0);
  for (const BarCase& c : kBarCases) {
    SCOPED_TRACE(c.what);
    Form form(20, 10, 300, 100);
    ProgressBar* bar = form.add<ProgressBar>("barTest", 10, 10, c.width, c.height);
    bar->orientation = c.orientation;
    bar->minimum = c.minimum;
    bar->maximum = c.maximum;
    bar->value = c.value;
    bar->barColor = green;
    test::BitmapPtr actual = blankBitmap(200, 90);
    form.draw(actual.get());

    const int left = 30;
    const int top = 20;
    test::BitmapPtr expected = blankBitmap(200, 90);
    rect(expected.get(), left - 1, top - 1, left + c.width, top + c.height, white());
    if (c.hasBar) {
      rectfill(expected.get(), left + c.barLeft, top + c.barTop, left + c.barRight,
               top + c.barBottom, green);
    }
    EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
  }
}

TEST_P(ProgressBarDrawing, NewBarIsWhiteAndHorizontalOverZeroToHundred) {
  Form form(0, 0, 100, 40);
  ProgressBar* bar = form.add<ProgressBar>("barDefault", 10, 10, 60, 10);
  bar->value = 100;
  test::BitmapPtr actual = blankBitmap(100, 40);
  form.draw(actual.get());
  test::BitmapPtr expected = blankBitmap(100, 40);
  rect(expected.get(), 9, 9, 70, 20, white());
  rectfill(expected.get(), 10, 10, 10 + 59, 19, white());  // 60 * 100/101 = 59.4
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

INSTANTIATE_TEST_SUITE_P(ColourDepths, ProgressBarDrawing, ::testing::Values(16, 32),
                         [](const auto& info) { return "bpp" + std::to_string(info.param); });

}  // namespace
}  // namespace vek
