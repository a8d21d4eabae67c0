// The form manager's per-frame dispatch, driven through Allegro's mouse
// globals and key buffer as the editor's main loop drives it.
#include <allegro.h>
#include <gtest/gtest.h>

#include "gui/form_manager.h"
#include "gui_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kNoButton = 0;

struct ClickLog {
  int clicks = 0;
  void* secondArgument = nullptr;
  bool keysWaitingInHandler = false;
};

void recordClick(void* log, void* secondArgument) {
  ClickLog* clickLog = static_cast<ClickLog*>(log);
  ++clickLog->clicks;
  clickLog->secondArgument = secondArgument;
  clickLog->keysWaitingInHandler = keypressed() != 0;
}

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    test::useColorDepth(32);
    test::useHeadlessKeyboard();
    test::resetInput();
  }
  void TearDown() override { test::resetInput(); }

  Button* addLoggedButton(Form* form, const char* name, int x, int y, int width, int height,
                          ClickLog* log) {
    Button* button = form->add<Button>(name, x, y, width, height);
    button->onClick = recordClick;
    button->onClickArg1 = log;
    return button;
  }

  // One pass of the editor's loop with the mouse at (x, y) and these buttons.
  void pass(int x, int y, int buttons) {
    test::putMouse(x, y, buttons);
    manager.update();
  }

  FormManager manager;
};

TEST_F(Dispatch, HeldButtonFiresOnceOnThePressAndAgainOnlyAfterARelease) {
  Form* main = manager.addForm("frmMain", 0, 0, 1000, 700);
  ClickLog log;
  Button* load = addLoggedButton(main, "cmdLoad", 870, 5, 40, 10, &log);
  load->setCaption("LOAD");
  int tag = 0;
  load->onClickArg2 = &tag;

  pass(880, 8, kNoButton);
  EXPECT_EQ(log.clicks, 0);
  pass(880, 8, kLeft);
  EXPECT_EQ(log.clicks, 1) << "fires in the update that sees the press";
  EXPECT_EQ(log.secondArgument, &tag);
  EXPECT_FALSE(load->focused) << "disarmed at once";
  for (int held = 0; held < 3; ++held) pass(880, 8, kLeft);
  EXPECT_EQ(log.clicks, 1);
  pass(880, 8, kNoButton);
  EXPECT_EQ(log.clicks, 1) << "the release fires nothing";
  pass(880, 8, kLeft);
  EXPECT_EQ(log.clicks, 2);

  pass(880, 8, kNoButton);
  pass(880, 8, kRight);
  pass(500, 300, kNoButton);
  pass(500, 300, kLeft);  // the form's empty space
  EXPECT_EQ(log.clicks, 2) << "neither the right button nor a miss fires";
}

TEST_F(Dispatch, TopmostOfOverlappingButtonsTakesTheClickUntilItIsHidden) {
  Form* form = manager.addForm("frmMain", 0, 0, 200, 200);
  ClickLog olderLog;
  ClickLog newerLog;
  addLoggedButton(form, "cmdOlder", 10, 10, 40, 20, &olderLog);
  Button* newer = addLoggedButton(form, "cmdNewer", 30, 15, 40, 20, &newerLog);

  pass(35, 20, kLeft);
  EXPECT_EQ(newerLog.clicks, 1);
  EXPECT_EQ(olderLog.clicks, 0);

  newer->visible = false;
  pass(35, 20, kNoButton);
  pass(35, 20, kLeft);
  EXPECT_EQ(newerLog.clicks, 1);
  EXPECT_EQ(olderLog.clicks, 1);
}

TEST_F(Dispatch, PressStartingOutsideEveryFormFiresNothingAndTakesAllFocus) {
  Form* form = manager.addForm("frmMain", 100, 100, 200, 200);
  ClickLog log;
  addLoggedButton(form, "cmdGo", 10, 10, 50, 20, &log);  // screen 110..159 x 110..129
  TextBox* box = form->add<TextBox>("txtName", 10, 50, 100, 10);
  box->focused = true;

  pass(50, 50, kLeft);
  EXPECT_FALSE(box->focused);
  pass(120, 115, kLeft);  // dragged onto the button while held
  pass(125, 118, kLeft);
  EXPECT_EQ(log.clicks, 0);

  pass(125, 118, kNoButton);
  pass(125, 118, kLeft);
  EXPECT_EQ(log.clicks, 1);
}

TEST_F(Dispatch, FocusedTextBoxInAHiddenFormStillGetsTheKeys) {
  Form* editorForm = manager.addForm("frmEditor", 0, 0, 100, 50);
  TextBox* box = editorForm->add<TextBox>("txtName", 10, 10, 80, 10);
  Form* other = manager.addForm("frmOther", 0, 100, 100, 50);
  other->add<Label>("lblOther", 10, 10, 50, 10);

  pass(20, 15, kLeft);  // click the text box
  pass(20, 15, kNoButton);
  ASSERT_TRUE(box->focused);
  editorForm->visible = false;

  test::putMouse(20, 15, kNoButton);
  EXPECT_EQ(manager.formUnderMouse(), nullptr) << "a hidden form is not hit";
  test::typeKeys("hi");
  pass(500, 500, kNoButton);
  EXPECT_STREQ(box->text, "hi");
  test::typeKeys("!");
  pass(20, 115, kNoButton);  // over the other form
  EXPECT_STREQ(box->text, "hi!");

  // A click on a control of another form leaves this focus alone.
  pass(20, 115, kLeft);
  EXPECT_TRUE(box->focused);
  EXPECT_EQ(manager.focusedControl(), box);
}

TEST_F(Dispatch, ClickOnAButtonDiscardsTypedAheadKeysBeforeItsHandlerRuns) {
  Form* form = manager.addForm("frmMain", 0, 0, 200, 200);
  ClickLog log;
  addLoggedButton(form, "cmdGo", 10, 10, 50, 20, &log);
  test::typeKeys("xyz");
  ASSERT_TRUE(keypressed());

  pass(20, 20, kLeft);
  ASSERT_EQ(log.clicks, 1);
  EXPECT_FALSE(log.keysWaitingInHandler);
  EXPECT_FALSE(keypressed());
}

TEST_F(Dispatch, ClickOnALabelTakesTheFocusFromItsFormAndDiscardsTheKeys) {
  // The form's own dispatch: the label is clicked while keys wait for the
  // focused text box beside it.
  Form form(0, 0, 200, 100);
  TextBox* box = form.add<TextBox>("txtName", 10, 10, 80, 10);
  Label* label = form.add<Label>("lblName", 10, 30, 80, 10);
  box->focused = true;
  test::typeKeys("ab");
  test::putMouse(20, 35, kLeft);
  form.handleInput(InputSnapshot{});

  EXPECT_FALSE(box->focused);
  EXPECT_FALSE(label->focused);
  EXPECT_STREQ(box->text, "");
  EXPECT_FALSE(keypressed());
}

TEST_F(Dispatch, HiddenControlsGetNoInputFromTheirForm) {
  Form form(0, 0, 200, 100);
  TextBox* box = form.add<TextBox>("txtHidden", 10, 10, 80, 10);
  box->focused = true;
  box->visible = false;
  test::typeKeys("ab");
  form.handleInput(InputSnapshot{});
  EXPECT_STREQ(box->text, "");
  EXPECT_TRUE(keypressed());
}

TEST_F(Dispatch, ClicksMoveTheFocusWithinAFormAndEmptySpaceTakesIt) {
  Form* form = manager.addForm("frmMain", 0, 0, 200, 100);
  TextBox* first = form->add<TextBox>("txtFirst", 10, 10, 80, 10);
  TextBox* second = form->add<TextBox>("txtSecond", 10, 30, 80, 10);

  pass(20, 15, kLeft);
  EXPECT_TRUE(first->focused);
  pass(20, 35, kNoButton);
  pass(20, 35, kLeft);
  EXPECT_FALSE(first->focused);
  EXPECT_TRUE(second->focused);
  pass(150, 80, kNoButton);
  pass(150, 80, kLeft);
  EXPECT_EQ(manager.focusedControl(), nullptr);
}

TEST_F(Dispatch, FocusedTextBoxUnderTheMouseTakesEachKeyOnce) {
  Form* form = manager.addForm("frmMain", 0, 0, 200, 100);
  TextBox* box = form->add<TextBox>("txtName", 10, 10, 80, 10);
  box->focused = true;
  test::typeKeys("abc");
  pass(20, 15, kNoButton);
  EXPECT_STREQ(box->text, "abc");
}

TEST_F(Dispatch, SnapshotHoldsTheInputAsOfTheEndOfTheLastUpdate) {
  test::putMouse(7, 8, 4);
  key[KEY_A] = 1;
  FormManager fresh;
  EXPECT_EQ(fresh.snapshot.mouseX, 7);
  EXPECT_EQ(fresh.snapshot.mouseY, 8);
  EXPECT_EQ(fresh.snapshot.mouseButtons, 4);
  EXPECT_EQ(fresh.snapshot.keys[KEY_A], 1);

  key[KEY_A] = 0;
  key[KEY_ESC] = 1;
  fresh.update();  // with no forms at all
  EXPECT_EQ(fresh.snapshot.keys[KEY_A], 0);
  EXPECT_EQ(fresh.snapshot.keys[KEY_ESC], 1);
  test::putMouse(9, 10, kLeft);
  fresh.update();
  EXPECT_EQ(fresh.snapshot.mouseX, 9);
  EXPECT_EQ(fresh.snapshot.mouseY, 10);
  EXPECT_EQ(fresh.snapshot.mouseButtons, kLeft);
}

void addLabelToForm(void* form, void*) {
  static_cast<Form*>(form)->add<Label>("lblAdded", 0, 0, 10, 10);
}

TEST_F(Dispatch, HandlersMayAddControlsAndButtonsWithoutHandlersFireQuietly) {
  Form* form = manager.addForm("frmMain", 0, 0, 200, 100);
  Button* silent = form->add<Button>("cmdSilent", 100, 10, 20, 10);
  Button* adder = form->add<Button>("cmdAdder", 10, 10, 20, 10);
  adder->onClick = addLabelToForm;
  adder->onClickArg1 = form;

  pass(15, 15, kLeft);
  EXPECT_STREQ(form->controls->name, "lblAdded");
  EXPECT_EQ(form->controls->next->zOrder, 2);
  pass(15, 15, kNoButton);
  pass(105, 15, kLeft);
  EXPECT_FALSE(silent->focused);
}

}  // namespace
}  // namespace vek
