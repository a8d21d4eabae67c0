// Drawing of forms and of the form manager: backgrounds, stacking order and
// hidden forms and controls, at 16 and 32 bits per pixel.
#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "gui/form_manager.h"
#include "gui_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

using test::blankBitmap;
using test::imageDifferences;

class FormDrawing : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { test::useColorDepth(GetParam()); }
};

TEST_P(FormDrawing, BackgroundIsCutToTheFormAndItsMaskShowsWhatLiesBeneath) {
  const int grey = makecol(90, 90, 90);
  test::BitmapPtr background = blankBitmap(50, 50);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 50; ++x) putpixel(background.get(), x, y, makecol(5 * x, 5 * y, 40));
  }
  rectfill(background.get(), 10, 3, 14, 7, bitmap_mask_color(background.get()));
  Form form(5, 7, 30, 20);
  form.background = background.get();
  test::BitmapPtr actual = blankBitmap(80, 80);
  clear_to_color(actual.get(), grey);
  form.draw(actual.get());

  test::BitmapPtr expected = blankBitmap(80, 80);
  clear_to_color(expected.get(), grey);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) {
      const int pixel = getpixel(background.get(), x, y);
      if (pixel != bitmap_mask_color(background.get())) putpixel(expected.get(), 5 + x, 7 + y, pixel);
    }
  }
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

TEST_P(FormDrawing, NewerControlsAndFormsAreDrawnOnTopAndHiddenOnesNotAtAll) {
  const int red = makecol(255, 0, 0);
  const int green = makecol(0, 255, 0);
  const int blue = makecol(0, 0, 255);
  const int yellow = makecol(255, 255, 0);
  FormManager manager;
  Form* lower = manager.addForm("frmLower", 0, 0, 100, 100);
  lower->add<Panel>("pnlOld", 10, 10, 30, 30)->fillColor = red;
  lower->add<Panel>("pnlNew", 20, 20, 30, 30)->fillColor = green;
  Panel* hiddenPanel = lower->add<Panel>("pnlHidden", 0, 0, 100, 100);
  hiddenPanel->fillColor = yellow;
  hiddenPanel->visible = false;
  Form* upper = manager.addForm("frmUpper", 40, 40, 60, 60);
  upper->add<Panel>("pnlTop", 5, 5, 20, 20)->fillColor = blue;  // screen 45..64
  Form* hiddenForm = manager.addForm("frmHidden", 0, 0, 100, 100);
  hiddenForm->add<Panel>("pnlCover", 0, 0, 100, 100)->fillColor = yellow;
  hiddenForm->visible = false;
  test::BitmapPtr actual = blankBitmap(100, 100);
  manager.draw(actual.get());

  test::BitmapPtr expected = blankBitmap(100, 100);
  rectfill(expected.get(), 10, 10, 39, 39, red);
  rectfill(expected.get(), 20, 20, 49, 49, green);
  rectfill(expected.get(), 45, 45, 64, 64, blue);
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

TEST_P(FormDrawing, EmptyManagerAndEmptyFormDrawNothing) {
  FormManager manager;
  test::BitmapPtr actual = blankBitmap(40, 40);
  manager.draw(actual.get());
  manager.addForm("frmEmpty", 0, 0, 40, 40);
  manager.draw(actual.get());
  manager.draw(nullptr);
  test::BitmapPtr expected = blankBitmap(40, 40);
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

INSTANTIATE_TEST_SUITE_P(ColourDepths, FormDrawing, ::testing::Values(16, 32),
                         [](const auto& info) { return "bpp" + std::to_string(info.param); });

}  // namespace
}  // namespace vek
