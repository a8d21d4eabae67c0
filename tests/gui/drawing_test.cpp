// Every control the toolkit draws, on one gallery compared pixel by pixel
// with tests/golden/gui-gallery.png at 16 and 32 bits per pixel.
#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>

#include "bitmap_checks.h"
#include "golden_image.h"
#include "gui/form_manager.h"
#include "headless_allegro.h"

namespace vek {
namespace {

// A different colour in every pixel and a square of the mask colour at
// (2..4, 2..4).
test::BitmapPtr patternedPicture(int width, int height) {
  test::BitmapPtr picture = test::blankBitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) putpixel(picture.get(), x, y, makecol(8 * x % 256, 8 * y % 256, 128));
  rectfill(picture.get(), 2, 2, 4, 4, bitmap_mask_color(picture.get()));
  return picture;
}

struct BarCase {
  int orientation, minimum, maximum, value, width, height;
};

const BarCase kBars[] = {
    {Horizontal, 0, 100, 0, 50, 8},      {Horizontal, 0, 100, 1, 50, 8},
    {Horizontal, 0, 100, 50, 50, 8},     {Horizontal, 0, 100, 100, 50, 8},
    {Horizontal, 0, 100, 100, 101, 8},   {Horizontal, 0, 100, 100, 150, 8},
    {Horizontal, 0, 100, 150, 50, 8},    {Horizontal, 0, 100, -5, 50, 8},
    {Horizontal, 10, 9, 20, 50, 8},      {Horizontal, 10, 0, 5, 50, 8},
    {Horizontal, -100, 100, -50, 50, 8}, {Horizontal, 50, 100, 75, 50, 8},
    {Horizontal, INT_MIN, INT_MAX, INT_MAX, 50, 8}, {3, 0, 100, 50, 50, 8},
    {Vertical, 0, 100, 1, 8, 40},        {Vertical, 0, 100, 50, 8, 40},
    {Vertical, 0, 100, 100, 8, 40},      {Vertical, 0, 100, 500, 8, 40},
    {Vertical, 10, 0, 20, 8, 40},
};

struct CaptionCase {
  int width, height;
  const char* caption;
};

const CaptionCase kButtons[] = {
    {40, 10, "LOAD"}, {170, 10, "GENERATE CURRENT MAP"}, {41, 11, "LOAD"}, {20, 3, "LOAD"},
    {9, 5, "LOAD"},   {30, 12, ""},
};

class Drawing : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { test::useColorDepth(GetParam()); }
};

TEST_P(Drawing, AGalleryOfEveryControlMatchesItsGoldenPicture) {
  const int red = makecol(255, 0, 0), green = makecol(0, 255, 0), blue = makecol(0, 0, 255);
  test::BitmapPtr background = patternedPicture(120, 60);
  test::BitmapPtr large = patternedPicture(40, 30);
  test::BitmapPtr small = patternedPicture(6, 5);
  const int otherDepth = GetParam() == 32 ? 16 : 32;
  test::BitmapPtr foreign(create_bitmap_ex(otherDepth, 30, 30));
  clear_to_color(foreign.get(), makecol_depth(otherDepth, 200, 100, 50));

  FormManager manager;
  Form* back = manager.addForm("frmBack", 5, 7, 100, 50);
  back->background = background.get();  // cut to 100 x 50, its mask square shows black
  Form* form = manager.addForm("frmGallery", 0, 0, 400, 360);
  int y = 70;
  for (const CaptionCase& c : kButtons) {
    form->add<Button>("cmd", 10, y, c.width, c.height)->setCaption(c.caption);
    y += c.height + 6;
  }
  int alignmentY = 10;
  for (int alignment : {int{AlignLeft}, int{AlignRight}, int{AlignCenter}, 0, 7}) {
    Label* label = form->add<Label>("lbl", 200, alignmentY, 60, 8);
    label->setCaption("AB");
    label->alignment = alignment;
    label->fillColor = blue;
    TextBox* box = form->add<TextBox>("txt", 280, alignmentY, 60, 8);
    box->setText("AB");
    box->alignment = alignment;
    box->fillColor = blue;
    alignmentY += 12;
  }
  Label* hiddenText = form->add<Label>("lblNoColour", 200, 75, 40, 10);
  hiddenText->setCaption("AB");
  hiddenText->textColor = -1;
  Panel* both = form->add<Panel>("pnlBoth", 120, 10, 20, 15);
  both->fillColor = red;
  both->borderColor = green;
  Button* bare = form->add<Button>("cmdBare", 150, 10, 20, 15);
  bare->borderColor = -1;
  bare->fillColor = -7;
  form->add<Panel>("pnlEmpty", 120, 35, 0, 15)->fillColor = red;
  form->add<ProgressBar>("barNew", 120, 60, 60, 10)->value = 100;  // the defaults
  for (auto [picture, x] : {std::pair{large.get(), 200}, {small.get(), 230}, {foreign.get(), 260}}) {
    Panel* panel = form->add<Panel>("pnlPicture", x, 100, 20, 10);
    panel->fillColor = red;
    panel->bitmap = picture;
  }
  int barX = 10, barY = 170;
  for (const BarCase& c : kBars) {
    ProgressBar* bar = form->add<ProgressBar>("bar", barX, barY, c.width, c.height);
    bar->orientation = c.orientation;
    bar->minimum = c.minimum;
    bar->maximum = c.maximum;
    bar->value = c.value;
    bar->barColor = green;
    barX += c.width + 4;
    if (barX > 330) barX = 10, barY += 45;
  }
  Panel* hiddenPanel = form->add<Panel>("pnlHidden", 0, 0, 400, 360);
  hiddenPanel->fillColor = red;
  hiddenPanel->visible = false;
  // A newer form is drawn over the older ones; a hidden one not at all.
  manager.addForm("frmTop", 300, 120, 60, 40)->add<Panel>("pnlTop", 0, 0, 60, 40)->fillColor = green;
  Form* hiddenForm = manager.addForm("frmHidden", 0, 0, 400, 360);
  hiddenForm->add<Panel>("pnlCover", 0, 0, 400, 360)->fillColor = blue;
  hiddenForm->visible = false;

  test::BitmapPtr actual = test::blankBitmap(400, 360);
  manager.draw(actual.get());
  EXPECT_EQ(test::goldenDifferences(actual.get(), "gui-gallery"), "");

  // Nothing to draw draws nothing.
  FormManager empty;
  test::BitmapPtr untouched = test::blankBitmap(40, 40);
  empty.draw(untouched.get());
  empty.addForm("frmEmpty", 0, 0, 40, 40);
  empty.draw(untouched.get());
  empty.draw(nullptr);
  EXPECT_EQ(test::countPixels(untouched.get(), 0, 0, 40, 40, 0), 1600);
}

INSTANTIATE_TEST_SUITE_P(ColourDepths, Drawing, ::testing::Values(32, 16),
                         [](const auto& info) { return "bpp" + std::to_string(info.param); });

}  // namespace
}  // namespace vek
