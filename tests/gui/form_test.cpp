// The form's and the manager's lists, the defaults of each kind of control,
// and hit testing against Allegro's mouse position.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gui/form_manager.h"
#include "gui_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

class FormLists : public ::testing::Test {
 protected:
  void SetUp() override {
    test::useColorDepth(32);
    test::resetInput();
  }
};

// (name, zOrder) of each entry, in list order.
template <class Entry>
std::vector<std::pair<std::string, int>> listed(const Entry* head) {
  std::vector<std::pair<std::string, int>> entries;
  for (; head != nullptr; head = head->next.get()) entries.emplace_back(head->name, head->zOrder);
  return entries;
}

using Listing = std::vector<std::pair<std::string, int>>;

TEST_F(FormLists, NewestEntryIsFirstAndTopmostAndUnknownKindsAddNothing) {
  Form form(0, 0, 100, 100);
  Control* panel = form.addControl(ControlKind::Panel, "pnlFirst", 0, 0, 10, 10);
  Control* button = form.addControl(ControlKind::Button, "cmdSecond", 0, 0, 10, 10);
  EXPECT_EQ(form.addControl(static_cast<ControlKind>(0), "bad0", 0, 0, 10, 10), nullptr);
  EXPECT_EQ(form.addControl(static_cast<ControlKind>(6), "bad6", 0, 0, 10, 10), nullptr);
  Control* label = form.addControl(ControlKind::Label, "lblThird", 0, 0, 10, 10);

  EXPECT_EQ(listed(form.controls.get()),
            (Listing{{"lblThird", 1}, {"cmdSecond", 2}, {"pnlFirst", 3}}));
  EXPECT_EQ(form.controls->control.get(), label);
  EXPECT_EQ(controlAs<Button>(button), button);
  EXPECT_EQ(controlAs<Button>(panel), nullptr);
  EXPECT_EQ(controlAs<Label>(label), label);

  FormManager manager;
  manager.addForm("frmFirst", 0, 0, 10, 10);
  manager.addForm("frmSecond", 0, 0, 10, 10);
  EXPECT_EQ(listed(manager.forms.get()), (Listing{{"frmSecond", 1}, {"frmFirst", 2}}));
}

TEST_F(FormLists, NamesAndCaptionsLongerThanTheirBuffersAreCut) {
  const std::string longName(300, 'n');
  FormManager manager;
  Form* form = manager.addForm(longName.c_str(), 0, 0, 10, 10);
  Button* button = form->add<Button>(longName.c_str(), 0, 0, 10, 10);
  Label* label = form->add<Label>(nullptr, 0, 0, 10, 10);
  TextBox* box = form->add<TextBox>("txtLong", 0, 0, 10, 10);

  EXPECT_EQ(std::string(manager.forms->name), longName.substr(0, 255));
  EXPECT_EQ(std::string(form->controls->next->next->name), longName.substr(0, 255));
  EXPECT_STREQ(form->controls->next->name, "");

  button->setCaption(longName.c_str());
  EXPECT_EQ(std::string(button->caption), longName.substr(0, 255));
  label->setCaption("short");
  EXPECT_STREQ(label->caption, "short");
  const std::string longText(2000, 't');
  box->setText(longText.c_str());
  EXPECT_EQ(std::string(box->text), longText.substr(0, 1023));
}

TEST_F(FormLists, EachKindStartsWithItsDefaults) {
  const int white = test::white();
  Form form(0, 0, 100, 100);
  Panel* panel = form.add<Panel>("pnl", 1, 2, 3, 4);
  Button* button = form.add<Button>("cmd", 0, 0, 10, 10);
  Label* label = form.add<Label>("lbl", 0, 0, 10, 10);
  TextBox* box = form.add<TextBox>("txt", 0, 0, 10, 10);
  ProgressBar* bar = form.add<ProgressBar>("bar", 0, 0, 10, 10);

  EXPECT_EQ(panel->kind, ControlKind::Panel);
  EXPECT_EQ((std::vector<int>{panel->x, panel->y, panel->width, panel->height}),
            (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(panel->bitmap, nullptr);
  EXPECT_EQ(panel->fillColor, -1);
  EXPECT_EQ(panel->borderColor, -1);
  EXPECT_TRUE(panel->visible);
  EXPECT_FALSE(panel->focused);
  EXPECT_EQ(panel->font, font);
  EXPECT_EQ(panel->textColor, white);

  EXPECT_EQ(button->borderColor, white);
  EXPECT_EQ(button->onClick, nullptr);
  EXPECT_EQ(button->onClickArg1, nullptr);
  EXPECT_EQ(button->onClickArg2, nullptr);
  EXPECT_STREQ(button->caption, "");
  EXPECT_EQ(label->borderColor, -1);
  EXPECT_EQ(label->alignment, AlignLeft);
  EXPECT_EQ(box->borderColor, white);
  EXPECT_EQ(box->alignment, AlignLeft);
  EXPECT_EQ(box->maxLength, 1023);
  EXPECT_EQ(bar->borderColor, white);
  EXPECT_EQ((std::vector<int>{bar->minimum, bar->maximum, bar->value, bar->orientation}),
            (std::vector<int>{0, 100, 0, Horizontal}));
  EXPECT_EQ(bar->barColor, white);
}

struct HitCase {
  int mouseX;
  int mouseY;
  bool underMouse;
};

TEST_F(FormLists, ControlRectanglesAreHalfOpen) {
  // The form at (10, 20), the button at (5, 6) in it, 30 x 12: screen
  // columns 15..44 and rows 26..37 belong to it.
  const HitCase cases[] = {
      {15, 26, true},   {44, 37, true},  {30, 30, true},
      {45, 30, false},  // right edge x + width
      {30, 38, false},  // bottom edge y + height
      {14, 30, false},  // the frame pixel left of the rectangle
      {30, 25, false},  // the frame pixel above it
  };
  FormManager manager;
  Form* form = manager.addForm("frmHits", 10, 20, 40, 25);  // 10..49 x 20..44
  Button* button = form->add<Button>("cmdHit", 5, 6, 30, 12);
  for (const HitCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.mouseX) + "," + std::to_string(c.mouseY));
    test::putMouse(c.mouseX, c.mouseY, 0);
    EXPECT_EQ(form->controlUnderMouse(), c.underMouse ? button : nullptr);
  }
  // The control test consults neither the form's area nor its visibility.
  Label* outside = form->add<Label>("lblOutside", 100, 100, 5, 5);
  form->visible = false;
  test::putMouse(112, 122, 0);
  EXPECT_EQ(form->controlUnderMouse(), outside);
  outside->visible = false;
  EXPECT_EQ(form->controlUnderMouse(), nullptr);
}

TEST_F(FormLists, FormRectanglesAreHalfOpenAndHiddenFormsAreNotHit) {
  const HitCase cases[] = {
      {10, 20, true}, {49, 44, true}, {50, 30, false}, {30, 45, false}, {9, 30, false},
  };
  FormManager manager;
  Form* form = manager.addForm("frmHits", 10, 20, 40, 25);
  for (const HitCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.mouseX) + "," + std::to_string(c.mouseY));
    test::putMouse(c.mouseX, c.mouseY, 0);
    EXPECT_EQ(manager.formUnderMouse(), c.underMouse ? form : nullptr);
  }
  Form* top = manager.addForm("frmTop", 0, 0, 30, 30);
  test::putMouse(20, 25, 0);
  EXPECT_EQ(manager.formUnderMouse(), top);
  top->visible = false;
  EXPECT_EQ(manager.formUnderMouse(), form);
}

TEST_F(FormLists, FocusQueriesTakeTheNewestFocusedControlVisibleOrNot) {
  FormManager manager;
  Form* older = manager.addForm("frmOlder", 0, 0, 10, 10);
  Form* newer = manager.addForm("frmNewer", 0, 0, 10, 10);
  TextBox* olderBox = older->add<TextBox>("txtOlder", 0, 0, 5, 5);
  TextBox* first = newer->add<TextBox>("txtFirst", 0, 0, 5, 5);
  TextBox* second = newer->add<TextBox>("txtSecond", 0, 0, 5, 5);
  EXPECT_EQ(manager.focusedControl(), nullptr);

  olderBox->focused = true;
  EXPECT_EQ(manager.focusedControl(), olderBox);
  first->focused = true;
  second->focused = true;
  second->visible = false;
  newer->visible = false;
  EXPECT_EQ(newer->focusedControl(), second);
  EXPECT_EQ(manager.focusedControl(), second);

  newer->clearFocus();
  EXPECT_FALSE(first->focused);
  EXPECT_FALSE(second->focused);
  EXPECT_EQ(manager.focusedControl(), olderBox);
}

TEST_F(FormLists, OnlyButtonsAndTextBoxesTakeTheFocus) {
  Form form(0, 0, 10, 10);
  std::vector<std::pair<Control*, bool>> controls = {
      {form.addControl(ControlKind::Panel, "pnl", 0, 0, 1, 1), false},
      {form.addControl(ControlKind::Button, "cmd", 0, 0, 1, 1), true},
      {form.addControl(ControlKind::Label, "lbl", 0, 0, 1, 1), false},
      {form.addControl(ControlKind::TextBox, "txt", 0, 0, 1, 1), true},
      {form.addControl(ControlKind::ProgressBar, "bar", 0, 0, 1, 1), false},
  };
  for (auto& [control, takesFocus] : controls) {
    control->activate();
    EXPECT_EQ(control->focused, takesFocus) << "kind " << static_cast<int>(control->kind);
  }
}

}  // namespace
}  // namespace vek
