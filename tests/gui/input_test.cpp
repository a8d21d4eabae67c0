// The toolkit's input, driven through Allegro's mouse globals and key buffer
// as the editor's main loop drives it: clicks, hit rectangles, stacking,
// focus and typing.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "gui/form_manager.h"
#include "headless_allegro.h"

namespace vek {
namespace {

constexpr int kLeft = 1, kRight = 2, kNone = 0;

struct ClickLog {
  int clicks = 0;
  void* secondArgument = nullptr;
  bool keysWaitingInHandler = false;
};

void recordClick(void* log, void* secondArgument) {
  auto* clickLog = static_cast<ClickLog*>(log);
  ++clickLog->clicks;
  clickLog->secondArgument = secondArgument;
  clickLog->keysWaitingInHandler = keypressed() != 0;
}

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    test::useColorDepth(32);
    test::useHeadlessKeyboard();
    test::resetInput();
  }
  void TearDown() override { test::resetInput(); }

  Button* loggedButton(Form* form, int x, int y, int width, int height, ClickLog* log) {
    Button* button = form->add<Button>("cmd", x, y, width, height);
    button->onClick = recordClick;
    button->onClickArg1 = log;
    return button;
  }
  void pass(int x, int y, int buttons) {
    test::putMouse(x, y, buttons);
    manager.update();
  }

  FormManager manager;
};

TEST_F(Input, AButtonFiresOnceOnThePressOfTheLeftButtonOverIt) {
  // The form at (10, 20); the older button covers screen 15..44 x 26..37,
  // the newer one 35..64 x 30..41 and lies on top where they overlap.
  Form* form = manager.addForm("frmMain", 10, 20, 300, 200);
  ClickLog older, newer;
  loggedButton(form, 5, 6, 30, 12, &older);
  Button* top = loggedButton(form, 25, 10, 30, 12, &newer);
  int tag = 0;
  top->onClickArg2 = &tag;
  struct Pass {
    int x, y, buttons;
    int olderClicks, newerClicks;
  };
  const Pass passes[] = {
      {20, 30, kNone, 0, 0},  {20, 30, kLeft, 1, 0},  // fires in the update that sees the press
      {20, 30, kLeft, 1, 0},  {21, 31, kLeft, 1, 0},  // held: no second click
      {20, 30, kNone, 1, 0},                          // the release fires nothing
      {15, 26, kLeft, 2, 0},  {15, 26, kNone, 2, 0},  // the first pixel inside
      {64, 41, kLeft, 2, 1},  {64, 41, kNone, 2, 1},  // the last pixel inside
      {65, 35, kLeft, 2, 1},  {65, 35, kNone, 2, 1},  // the right edge x + width is outside
      {50, 42, kLeft, 2, 1},  {50, 42, kNone, 2, 1},  // the bottom edge too
      {14, 30, kLeft, 2, 1},  {14, 30, kNone, 2, 1},  // the frame pixels left of and
      {20, 25, kLeft, 2, 1},  {20, 25, kNone, 2, 1},  // above the rectangle
      {20, 30, kRight, 2, 1}, {20, 30, kNone, 2, 1},  // the right button fires nothing
      {40, 33, kLeft, 2, 2},  {40, 33, kNone, 2, 2},  // the topmost takes an overlap
      {200, 150, kLeft, 2, 2},                        // pressed on empty space,
      {20, 30, kLeft, 2, 2},  {20, 30, kNone, 2, 2},  // dragged onto a button: nothing
      {5, 5, kLeft, 2, 2},    {20, 30, kLeft, 2, 2},  // pressed outside every form
  };
  for (const Pass& p : passes) {
    pass(p.x, p.y, p.buttons);
    ASSERT_EQ(older.clicks, p.olderClicks) << "at " << p.x << "," << p.y << " buttons " << p.buttons;
    ASSERT_EQ(newer.clicks, p.newerClicks) << "at " << p.x << "," << p.y << " buttons " << p.buttons;
  }
  EXPECT_EQ(newer.secondArgument, &tag);
  EXPECT_FALSE(top->focused) << "a button is disarmed once it fired";

  top->visible = false;  // a hidden control is not hit
  pass(40, 33, kNone);
  pass(40, 33, kLeft);
  EXPECT_EQ(older.clicks, 3);
  EXPECT_EQ(newer.clicks, 2);
}

TEST_F(Input, TheTopmostVisibleFormIsUnderTheMouse) {
  Form* form = manager.addForm("frmHits", 10, 20, 40, 25);  // 10..49 x 20..44
  Form* top = manager.addForm("frmTop", 0, 0, 30, 30);
  top->visible = false;
  struct Case {
    int x, y;
    bool inside;
  };
  for (Case c : {Case{10, 20, true}, {49, 44, true}, {50, 30, false}, {30, 45, false}, {9, 30, false}}) {
    test::putMouse(c.x, c.y, 0);
    EXPECT_EQ(manager.formUnderMouse(), c.inside ? form : nullptr) << c.x << "," << c.y;
  }
  top->visible = true;
  test::putMouse(20, 25, 0);
  EXPECT_EQ(manager.formUnderMouse(), top);
}

TEST_F(Input, ClicksMoveTheFocusAndTheFocusedBoxTakesTheKeysWherever) {
  Form* editor = manager.addForm("frmEditor", 0, 0, 200, 100);
  TextBox* first = editor->add<TextBox>("txtFirst", 10, 10, 80, 10);
  TextBox* second = editor->add<TextBox>("txtSecond", 10, 30, 80, 10);
  ClickLog log;
  loggedButton(editor, 100, 10, 50, 20, &log);
  manager.addForm("frmOther", 0, 100, 100, 50)->add<Label>("lblOther", 10, 10, 50, 10);

  // A click on a button drops typed-ahead keys before its handler runs.
  test::typeKeys("xyz");
  pass(110, 15, kLeft);
  ASSERT_EQ(log.clicks, 1);
  EXPECT_FALSE(log.keysWaitingInHandler);
  EXPECT_FALSE(keypressed());
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
  EXPECT_STREQ(first->text, "");
  EXPECT_STREQ(second->text, "hi!");
  editor->visible = true;
  pass(150, 80, kLeft);  // empty space takes the focus
  EXPECT_EQ(manager.focusedControl(), nullptr);

  // A hidden focused box gets nothing from its form.
  second->focused = true;
  second->visible = false;
  test::typeKeys("ab");
  editor->handleInput(InputSnapshot{});
  EXPECT_STREQ(second->text, "hi!");
  EXPECT_TRUE(keypressed());
}

TEST_F(Input, ATextBoxTakesPrintableKeysAndBackspaceUpToItsLimits) {
  Form form(0, 0, 200, 50);
  TextBox* box = form.add<TextBox>("txtInput", 0, 0, 100, 10);
  box->activate();
  struct Case {
    const char* start;
    const char* typed;
    int maxLength;
    const char* result;
  };
  const Case cases[] = {
      {"", "Hello, World! ~{}", 1023, "Hello, World! ~{}"},
      {"ab", "\bc", 1023, "ac"},
      {"a", "\b", 1023, ""},
      {"", "\b\bx", 1023, "x"},
      {"a", "\r\t\x1b\x7f" "b", 1023, "ab"},  // Enter, Tab, Escape and DEL are dropped
      {"", "abcdef", 3, "abc"},
      {"abc", "\bx", 3, "abx"},
      {"", "abc", 0, ""},
      {"", "abc", -5, ""},
      {"abcdef", "\bx", 3, "abcde"},  // text longer than maxLength still shrinks
  };
  for (const Case& c : cases) {
    box->setText(c.start);
    box->maxLength = c.maxLength;
    test::typeKeys(c.typed);
    box->handleInput(InputSnapshot{});
    EXPECT_STREQ(box->text, c.result) << c.start << " + " << c.typed;
    EXPECT_FALSE(keypressed()) << "every waiting key is taken";
    EXPECT_TRUE(box->focused);
  }
  box->setText("a");
  box->maxLength = 5000;
  simulate_keypress(KEY_LEFT << 8);  // a cursor key: no character
  simulate_ukeypress(200, KEY_E);    // above 126
  test::typeKeys("b");
  box->handleInput(InputSnapshot{});
  EXPECT_STREQ(box->text, "ab");
  const std::string full(1023, 'z');  // 1,023 characters whatever maxLength says
  box->setText(full.c_str());
  test::typeKeys("y");
  box->handleInput(InputSnapshot{});
  EXPECT_EQ(std::string(box->text), full);
  std::memset(box->text, 'q', sizeof box->text);  // filled to the last byte
  test::typeKeys("\b");
  box->handleInput(InputSnapshot{});
  EXPECT_EQ(std::string(box->text), std::string(1022, 'q'));

  box->setText("");
  box->focused = false;  // an unfocused box leaves the keys for others
  test::typeKeys("ab");
  box->handleInput(InputSnapshot{});
  EXPECT_STREQ(box->text, "");
  EXPECT_EQ(readkey() & 0xff, 'a');
}

TEST_F(Input, ATextBoxReturnsWhenNoKeyboardHandlerTakesTheBufferedKeys) {
  // Without hooks keypressed() reports a buffered key for ever while
  // readkey() returns 0: a loop that trusted keypressed() would never end.
  Form form(0, 0, 200, 50);
  TextBox* box = form.add<TextBox>("txtInput", 0, 0, 100, 10);
  box->activate();
  EXPECT_EXIT(
      {
        install_keyboard_hooks(nullptr, nullptr);
        test::typeKeys("a");
        alarm(20);
        box->handleInput(InputSnapshot{});
        _exit(box->text[0] == '\0' ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

void addLabelToForm(void* form, void*) { static_cast<Form*>(form)->add<Label>("lblAdded", 0, 0, 10, 10); }

TEST_F(Input, AHandlerMayAddControlsAndOnlyTextBoxesTakeTheFocus) {
  Form* form = manager.addForm("frmMain", 0, 0, 200, 100);
  Button* adder = form->add<Button>("cmdAdd", 10, 10, 20, 10);
  adder->onClick = addLabelToForm;
  adder->onClickArg1 = form;
  pass(15, 15, kLeft);
  ASSERT_NE(form->controls, nullptr);
  EXPECT_STREQ(form->controls->name, "lblAdded") << "the newest control comes first";
  for (auto [control, takesFocus] : {std::pair<Control*, bool>{form->add<Panel>("p", 0, 0, 1, 1), false},
                                     {form->add<Label>("l", 0, 0, 1, 1), false},
                                     {form->add<ProgressBar>("b", 0, 0, 1, 1), false},
                                     {form->add<TextBox>("t", 0, 0, 1, 1), true}}) {
    control->activate();
    EXPECT_EQ(control->focused, takesFocus) << "kind " << static_cast<int>(control->kind);
  }
  const std::string longText(2000, 't');
  TextBox* box = form->add<TextBox>(std::string(300, 'n').c_str(), 0, 0, 10, 10);
  box->setText(longText.c_str());
  EXPECT_EQ(std::string(box->text), longText.substr(0, 1023));
  EXPECT_EQ(std::string(form->controls->name), std::string(255, 'n'));
}

}  // namespace
}  // namespace vek
