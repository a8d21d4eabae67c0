// The toolkit: every control on one gallery matched with gui-gallery.png,
// and input driven through Allegro's mouse and key globals as the editor does.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>
#include <tuple>

#include "bitmap_checks.h"
#include "golden_image.h"
#include "gui/form_manager.h"
#include "headless_allegro.h"

namespace vek {
namespace {

constexpr int kLeft = 1, kRight = 2, kNone = 0;

// A different colour in every pixel, the mask colour in (2..4, 2..4).
test::BitmapPtr patternedPicture(int width, int height) {
  test::BitmapPtr picture = test::blankBitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      putpixel(picture.get(), x, y, makecol(8 * x % 256, 8 * y % 256, 128));
  rectfill(picture.get(), 2, 2, 4, 4, bitmap_mask_color(picture.get()));
  return picture;
}

class Drawing : public ::testing::TestWithParam<int> {};

TEST_P(Drawing, AGalleryOfEveryControlMatchesItsGoldenPicture) {
  test::useColorDepth(GetParam());
  const int red = makecol(255, 0, 0), green = makecol(0, 255, 0), blue = makecol(0, 0, 255);
  test::BitmapPtr background = patternedPicture(120, 60);
  test::BitmapPtr large = patternedPicture(40, 30);
  test::BitmapPtr small = patternedPicture(6, 5);
  const int otherDepth = GetParam() == 32 ? 16 : 32;
  test::BitmapPtr foreign(create_bitmap_ex(otherDepth, 30, 30));
  clear_to_color(foreign.get(), makecol_depth(otherDepth, 200, 100, 50));
  FormManager manager;
  // The background is cut to 100 x 50; its mask square shows black.
  manager.addForm("frmBack", 5, 7, 100, 50)->background = background.get();
  Form* form = manager.addForm("frmGallery", 0, 0, 400, 360);
  auto panel = [&](int x, int y, int width, int height, int fill) {
    Panel* panel = form->add<Panel>("pnl", x, y, width, height);
    panel->fillColor = fill;
    return panel;
  };
  int y = 70;
  for (auto [width, height, caption] :
       {std::tuple{40, 10, "LOAD"}, {170, 10, "GENERATE CURRENT MAP"}, {41, 11, "LOAD"},
        {20, 3, "LOAD"}, {9, 5, "LOAD"}, {30, 12, ""}}) {
    form->add<Button>("cmd", 10, y, width, height)->setCaption(caption);
    y += height + 6;
  }
  y = 10;
  for (int alignment : {int{AlignLeft}, int{AlignRight}, int{AlignCenter}, 0, 7}) {
    Label* label = form->add<Label>("lbl", 200, y, 60, 8);
    label->setCaption("AB");
    TextBox* box = form->add<TextBox>("txt", 280, y, 60, 8);
    box->setText("AB");
    label->alignment = box->alignment = alignment;
    label->fillColor = box->fillColor = blue;
    y += 12;
  }
  Label* hiddenText = form->add<Label>("lblNoColour", 200, 75, 40, 10);
  hiddenText->setCaption("AB");
  hiddenText->textColor = -1;
  panel(120, 10, 20, 15, red)->borderColor = green;
  Button* bare = form->add<Button>("cmdBare", 150, 10, 20, 15);
  bare->borderColor = -1;
  bare->fillColor = -7;
  panel(120, 35, 0, 15, red);
  form->add<ProgressBar>("barNew", 120, 60, 60, 10)->value = 100;  // the defaults
  for (auto [picture, x] : {std::pair{large.get(), 200}, {small.get(), 230}, {foreign.get(), 260}})
    panel(x, 100, 20, 10, red)->bitmap = picture;
  struct Bar {
    int orientation, minimum, maximum, value, width, height;
  };
  const int h = Horizontal, v = Vertical;
  const Bar bars[] = {
      {h, 0, 100, 0, 50, 8},    {h, 0, 100, 1, 50, 8},      {h, 0, 100, 50, 50, 8},
      {h, 0, 100, 100, 50, 8},  {h, 0, 100, 100, 101, 8},   {h, 0, 100, 100, 150, 8},
      {h, 0, 100, 150, 50, 8},  {h, 0, 100, -5, 50, 8},     {h, 10, 9, 20, 50, 8},
      {h, 10, 0, 5, 50, 8},     {h, -100, 100, -50, 50, 8}, {h, 50, 100, 75, 50, 8},
      {h, INT_MIN, INT_MAX, INT_MAX, 50, 8}, {3, 0, 100, 50, 50, 8},
      {v, 0, 100, 1, 8, 40},    {v, 0, 100, 50, 8, 40},     {v, 0, 100, 100, 8, 40},
      {v, 0, 100, 500, 8, 40},  {v, 10, 0, 20, 8, 40},
  };
  int barX = 10, barY = 170;
  for (const Bar& c : bars) {
    ProgressBar* bar = form->add<ProgressBar>("bar", barX, barY, c.width, c.height);
    bar->orientation = c.orientation;
    bar->minimum = c.minimum;
    bar->maximum = c.maximum;
    bar->value = c.value;
    bar->barColor = green;
    barX += c.width + 4;
    if (barX > 330) barX = 10, barY += 45;
  }
  panel(0, 0, 400, 360, red)->visible = false;
  // A newer form is drawn over the older ones; a hidden one not at all.
  Form* top = manager.addForm("frmTop", 300, 120, 60, 40);
  top->add<Panel>("pnlTop", 0, 0, 60, 40)->fillColor = green;
  form = manager.addForm("frmHidden", 0, 0, 400, 360);
  panel(0, 0, 400, 360, blue);
  form->visible = false;
  test::BitmapPtr actual = test::blankBitmap(400, 360);
  manager.draw(actual.get());
  manager.draw(nullptr);
  EXPECT_EQ(test::goldenDifferences(actual.get(), "gui-gallery"), "");
}

INSTANTIATE_TEST_SUITE_P(ColourDepths, Drawing, ::testing::Values(32, 16),
                         [](const auto& info) { return "bpp" + std::to_string(info.param); });

// Appends the clicked button's letter (the handler's second argument) to
// the log (the first), and '!' when keys were still waiting for it.
void recordClick(void* log, void* letter) {
  std::string& text = *static_cast<std::string*>(log);
  text += *static_cast<const char*>(letter);
  if (keypressed()) text += '!';
}

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    test::useColorDepth(32);
    test::useHeadlessKeyboard();
    test::resetInput();
  }

  Button* loggedButton(Form* form, int x, int y, int width, int height, const char* letter) {
    Button* button = form->add<Button>("cmd", x, y, width, height);
    button->onClick = recordClick;
    button->onClickArg1 = &log;
    button->onClickArg2 = const_cast<char*>(letter);
    return button;
  }
  void pass(int x, int y, int buttons) {
    test::putMouse(x, y, buttons);
    manager.update();
  }
  // Keys typed into a box, taken in one update of the box alone.
  std::string typed(TextBox* box, const char* keys) {
    test::typeKeys(keys);
    box->handleInput(InputSnapshot{});
    return box->text;
  }

  FormManager manager;
  std::string log;
};

TEST_F(Input, AButtonFiresOnceOnAPressOfTheLeftButtonInsideItsFormAndRectangle) {
  // The form covers 10..309 x 20..219, button a 15..44 x 26..37, the newer
  // b 35..64 x 30..41 on top of it, c 300..329 x 210..229 out of the form.
  // A hidden form on top of them all takes nothing.
  Form* form = manager.addForm("frmMain", 10, 20, 300, 200);
  loggedButton(form, 5, 6, 30, 12, "a");
  Button* b = loggedButton(form, 25, 10, 30, 12, "b");
  loggedButton(form, 290, 190, 30, 20, "c");
  loggedButton(form, 5, 16, 5, 2, "d")->visible = false;  // 15..19 x 36..37, hidden
  Form* hidden = manager.addForm("frmHidden", 0, 0, 400, 400);
  hidden->visible = false;
  struct Press {  // at (fromX, fromY), held on to (x, y), then let go
    int fromX, fromY, x, y, buttons;
    const char* fired;
  };
  const Press presses[] = {
      {20, 30, 21, 31, kLeft, "a"},  // once on the press, not again held or let go
      {15, 26, 15, 26, kLeft, "a"},  // the first pixel inside
      {64, 41, 64, 41, kLeft, "b"},  // the last pixel inside
      {65, 35, 65, 35, kLeft, ""},   // the right edge x + width is outside
      {50, 42, 50, 42, kLeft, ""},   // the bottom edge too
      {14, 30, 14, 30, kLeft, ""},   // the frame pixels left of and
      {20, 25, 20, 25, kLeft, ""},   // above the rectangle
      {20, 30, 20, 30, kRight, ""},  // the right button fires nothing
      {40, 33, 40, 33, kLeft, "b"},  // the topmost takes an overlap
      {17, 36, 17, 36, kLeft, "a"},  // a hidden one takes nothing
      {200, 150, 20, 30, kLeft, ""},  // pressed on empty space, dragged onto a button
      {5, 5, 20, 30, kLeft, ""},      // pressed outside every form
      {305, 219, 305, 219, kLeft, "c"}, {305, 220, 305, 220, kLeft, ""},  // the form's last row
      {310, 215, 310, 215, kLeft, ""},                                    // and right edge
  };
  for (const Press& p : presses) {
    log.clear();
    test::typeKeys("x");  // a click drops typed-ahead keys before its handler runs
    pass(p.fromX, p.fromY, p.buttons);
    pass(p.x, p.y, p.buttons);
    pass(p.x, p.y, kNone);
    EXPECT_EQ(log, p.fired) << "at " << p.fromX << "," << p.fromY << " buttons " << p.buttons;
  }
  EXPECT_FALSE(b->focused) << "a button is disarmed once it fired";
  hidden->visible = true;  // shown, the form on top takes the mouse
  test::putMouse(20, 30, kNone);
  EXPECT_EQ(manager.formUnderMouse(), hidden);
}

void addLabel(void* form, void*) { static_cast<Form*>(form)->add<Label>("lblAdded", 0, 0, 1, 1); }

TEST_F(Input, ClicksMoveTheFocusAndTheFocusedBoxTakesTheKeysWherever) {
  Form* editor = manager.addForm("frmEditor", 0, 0, 200, 100);
  TextBox* first = editor->add<TextBox>("txtFirst", 10, 10, 80, 10);
  TextBox* second = editor->add<TextBox>("txtSecond", 10, 30, 80, 10);
  manager.addForm("frmOther", 0, 100, 100, 50)->add<Label>("lblOther", 10, 10, 50, 10);
  Button* adder = editor->add<Button>("cmdAdd", 100, 50, 20, 10);  // a handler may add controls:
  adder->onClick = addLabel;
  adder->onClickArg1 = editor;
  pass(105, 55, kLeft);
  EXPECT_STREQ(editor->controls->name, "lblAdded");  // the newest comes first
  // Each press focuses the box under it; keys go to the focused box, under
  // the mouse or not, in a hidden form too, and a control of another form
  // leaves that focus alone.
  for (auto [x, y, keys] : {std::tuple{20, 15, ""}, {20, 35, "hi"}, {20, 115, "!"}}) {
    pass(x, y, kNone);
    pass(x, y, kLeft);
    test::typeKeys(keys);
    editor->visible = y < 100;
    pass(x, y, kNone);
    EXPECT_EQ(first->focused, y == 15) << y;
    EXPECT_EQ(second->focused, y > 15) << y;
  }
  EXPECT_STREQ(second->text, "hi!");
  editor->visible = true;
  pass(150, 80, kLeft);  // empty space takes the focus
  EXPECT_EQ(manager.focusedControl(), nullptr);
}

TEST_F(Input, ATextBoxTakesPrintableKeysAndBackspaceUpToItsLimits) {
  Form form(0, 0, 200, 50);
  form.add<Label>(std::string(300, 'n').c_str(), 0, 0, 10, 10);
  EXPECT_EQ(std::string(form.controls->name), std::string(255, 'n'));  // names cut too
  TextBox* box = form.add<TextBox>("txtInput", 0, 0, 100, 10);
  box->activate();
  const std::string full(1023, 'z');  // 1,023 characters whatever maxLength says
  struct Case {
    std::string start;
    const char* typed;
    int maxLength;
    std::string result;
  };
  const Case cases[] = {
      {"", "Hello, World! ~{}", 1023, "Hello, World! ~{}"},
      {"ab", "\bc", 1023, "ac"},
      {"", "\b\bx", 1023, "x"},
      {"a", "\r\t\x1b\x7f\xc8" "b", 1023, "ab"},  // Enter, Tab, Escape, DEL, 200: dropped
      {"", "abcdef", 3, "abc"},
      {"", "abc", -5, ""},
      {"abcdef", "\bx", 3, "abcde"},  // text longer than maxLength still shrinks
      {std::string(2000, 'z'), "y", 5000, full},
  };
  for (const Case& c : cases) {
    box->setText(c.start.c_str());
    box->maxLength = c.maxLength;
    EXPECT_EQ(typed(box, c.typed), c.result) << c.start << " + " << c.typed;
    EXPECT_FALSE(keypressed()) << "every waiting key is taken";
  }
  std::memset(box->text, 'q', sizeof box->text);  // filled to the last byte
  EXPECT_EQ(typed(box, "\b"), std::string(1022, 'q'));
  box->focused = false;  // an unfocused box leaves the keys for others
  EXPECT_EQ(typed(box, "ab"), std::string(1022, 'q'));
  EXPECT_EQ(readkey() & 0xff, 'a');
  // Without keyboard hooks keypressed() reports a buffered key for ever while
  // readkey() returns 0: a loop that trusted keypressed() would never end.
  box->activate();
  EXPECT_EXIT(
      {
        install_keyboard_hooks(nullptr, nullptr);
        alarm(20);
        _exit(typed(box, "a") == std::string(1022, 'q') ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vek
