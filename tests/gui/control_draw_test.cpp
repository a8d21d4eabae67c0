// Drawing of the controls, compared pixel by pixel with images built by hand
// from the expected coordinates, at 16 and 32 bits per pixel.
#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "gui/form.h"
#include "gui_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

using test::blankBitmap;
using test::imageDifferences;
using test::white;

class ControlDrawing : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { test::useColorDepth(GetParam()); }
};

TEST_P(ControlDrawing, NewControlsDrawOnlyTheirCommonPart) {
  Form form(10, 20, 200, 100);
  form.addControl(ControlKind::Button, "cmdNew", 5, 6, 30, 12);
  form.add<Label>("lblNew", 50, 6, 30, 12);
  form.add<TextBox>("txtNew", 100, 6, 30, 12);
  form.add<Panel>("pnlNew", 5, 40, 30, 12);
  form.add<ProgressBar>("barNew", 50, 40, 30, 12);
  test::BitmapPtr actual = blankBitmap(220, 130);
  form.draw(actual.get());

  // A white frame one pixel outside each framed rectangle, nothing inside;
  // the label and the panel draw nothing at all.
  test::BitmapPtr expected = blankBitmap(220, 130);
  rect(expected.get(), 14, 25, 45, 38, white());    // button: 15..44 x 26..37
  rect(expected.get(), 109, 25, 140, 38, white());  // text box
  rect(expected.get(), 59, 59, 90, 72, white());    // progress bar at value 0
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

TEST_P(ControlDrawing, FrameAndFillUseTheirColoursAndNegativeMeansNone) {
  const int red = makecol(255, 0, 0);
  const int green = makecol(0, 255, 0);
  Form form(0, 0, 100, 100);
  Panel* framedAndFilled = form.add<Panel>("pnlBoth", 10, 10, 20, 15);
  framedAndFilled->fillColor = red;
  framedAndFilled->borderColor = green;
  Button* unframed = form.add<Button>("cmdBare", 50, 10, 20, 15);
  unframed->borderColor = -1;
  unframed->fillColor = -7;
  Panel* empty = form.add<Panel>("pnlEmpty", 10, 50, 0, 15);
  empty->fillColor = red;
  test::BitmapPtr actual = blankBitmap(100, 100);
  form.draw(actual.get());

  test::BitmapPtr expected = blankBitmap(100, 100);
  rect(expected.get(), 9, 9, 30, 25, green);
  rectfill(expected.get(), 10, 10, 29, 24, red);
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

struct AlignmentCase {
  int alignment;
  int textLeft;  // for "AB" (16 pixels) in a 60-pixel control at x = 20
};

TEST_P(ControlDrawing, LabelAndTextBoxPlaceTheirTextByAlignment) {
  const AlignmentCase cases[] = {
      {AlignLeft, 21},    // one pixel inside the left edge
      {AlignRight, 64},   // 20 + 60 - 16: the text ends at the right edge
      {AlignCenter, 42},  // 20 + (60 - 16) / 2
      {0, 21},            // unknown codes draw like AlignLeft
      {7, 21},
  };
  const int blue = makecol(0, 0, 255);
  for (const AlignmentCase& c : cases) {
    SCOPED_TRACE("alignment " + std::to_string(c.alignment));
    Form form(0, 0, 120, 60);
    Label* label = form.add<Label>("lblText", 20, 10, 60, 8);
    label->setCaption("AB");
    label->alignment = c.alignment;
    label->fillColor = blue;  // shows that the text background stays unpainted
    TextBox* box = form.add<TextBox>("txtText", 20, 30, 60, 8);
    box->setText("AB");
    box->alignment = c.alignment;
    box->fillColor = blue;
    test::BitmapPtr actual = blankBitmap(120, 60);
    form.draw(actual.get());

    test::BitmapPtr expected = blankBitmap(120, 60);
    rectfill(expected.get(), 20, 10, 79, 17, blue);
    textout_ex(expected.get(), font, "AB", c.textLeft, 10, white(), -1);
    rect(expected.get(), 19, 29, 80, 38, white());
    rectfill(expected.get(), 20, 30, 79, 37, blue);
    textout_ex(expected.get(), font, "AB", c.textLeft, 30, white(), -1);
    EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
  }
}

struct CentredCase {
  int width;
  int height;
  const char* caption;
  int textLeftOffset;  // from the control's left edge
  int textTopOffset;   // from its top edge
};

TEST_P(ControlDrawing, ButtonCaptionIsCentredWithHalvesTruncatedTowardZero) {
  const CentredCase cases[] = {
      {40, 10, "LOAD", 4, 1},                    // the editor's 10-pixel buttons
      {170, 10, "GENERATE CURRENT MAP", 5, 1},   // 160 pixels of text
      {41, 11, "LOAD", 4, 1},                    // odd leftovers round down
      {20, 3, "LOAD", -6, -2},                   // text larger than the control:
      {9, 5, "LOAD", -11, -1},                   // -23/2 is -11 and -3/2 is -1
  };
  for (const CentredCase& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + " in " + std::to_string(c.width) + "x" +
                 std::to_string(c.height));
    Form form(60, 40, 300, 100);
    Button* button = form.add<Button>("cmdTest", 40, 10, c.width, c.height);
    button->setCaption(c.caption);
    test::BitmapPtr actual = blankBitmap(300, 100);
    form.draw(actual.get());

    test::BitmapPtr expected = blankBitmap(300, 100);
    rect(expected.get(), 99, 49, 100 + c.width, 50 + c.height, white());
    textout_ex(expected.get(), font, c.caption, 100 + c.textLeftOffset, 50 + c.textTopOffset,
               white(), -1);
    EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
  }
}

TEST_P(ControlDrawing, TextInANegativeColourIsNotDrawn) {
  Form form(0, 0, 60, 30);
  Label* label = form.add<Label>("lblHidden", 5, 5, 40, 10);
  label->setCaption("AB");
  label->textColor = -1;
  test::BitmapPtr actual = blankBitmap(60, 30);
  form.draw(actual.get());
  test::BitmapPtr expected = blankBitmap(60, 30);
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

// A picture with a different colour in every pixel and a square of the mask
// colour at (2..4, 2..4).
test::BitmapPtr patternedPicture(int width, int height) {
  test::BitmapPtr picture = blankBitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      putpixel(picture.get(), x, y, makecol(8 * x % 256, 8 * y % 256, 128));
    }
  }
  rectfill(picture.get(), 2, 2, 4, 4, bitmap_mask_color(picture.get()));
  return picture;
}

// The control's fill with the picture's top-left columns x rows copied over
// it pixel by pixel, mask pixels left out.
void paintExpectedPicture(BITMAP* expected, BITMAP* picture, int left, int top, int columns,
                          int rows) {
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      const int pixel = getpixel(picture, x, y);
      if (pixel != bitmap_mask_color(picture)) putpixel(expected, left + x, top + y, pixel);
    }
  }
}

TEST_P(ControlDrawing, PictureIsCutToTheControlOrDrawnWholeAndMasked) {
  const int red = makecol(255, 0, 0);
  test::BitmapPtr large = patternedPicture(40, 30);
  test::BitmapPtr small = patternedPicture(6, 5);
  Form form(3, 4, 100, 80);
  Panel* cut = form.add<Panel>("pnlLarge", 10, 10, 20, 10);
  cut->fillColor = red;
  cut->bitmap = large.get();
  Panel* whole = form.add<Panel>("pnlSmall", 50, 10, 20, 10);
  whole->fillColor = red;
  whole->bitmap = small.get();
  test::BitmapPtr actual = blankBitmap(100, 80);
  form.draw(actual.get());

  test::BitmapPtr expected = blankBitmap(100, 80);
  rectfill(expected.get(), 13, 14, 32, 23, red);
  paintExpectedPicture(expected.get(), large.get(), 13, 14, 20, 10);
  rectfill(expected.get(), 53, 14, 72, 23, red);
  paintExpectedPicture(expected.get(), small.get(), 53, 14, 6, 5);
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

TEST_P(ControlDrawing, PictureOfAnotherColourDepthIsLeftOut) {
  // Allegro's masked blit would read such a picture's rows with the target's
  // pixel size, past its end; the control draws without it.
  const int otherDepth = GetParam() == 32 ? 16 : 32;
  test::BitmapPtr picture(create_bitmap_ex(otherDepth, 30, 30));
  clear_to_color(picture.get(), makecol_depth(otherDepth, 200, 100, 50));
  Form form(0, 0, 50, 50);
  Panel* panel = form.add<Panel>("pnlForeign", 5, 5, 30, 30);
  panel->bitmap = picture.get();
  test::BitmapPtr actual = blankBitmap(50, 50);
  form.draw(actual.get());
  test::BitmapPtr expected = blankBitmap(50, 50);
  EXPECT_EQ(imageDifferences(actual.get(), expected.get()), "");
}

INSTANTIATE_TEST_SUITE_P(ColourDepths, ControlDrawing, ::testing::Values(16, 32),
                         [](const auto& info) { return "bpp" + std::to_string(info.param); });

}  // namespace
}  // namespace vek
