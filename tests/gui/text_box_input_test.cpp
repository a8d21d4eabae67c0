// Keyboard input of a text box, fed through Allegro's own key buffer.
#include <allegro.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>

#include "gui/form.h"
#include "gui_test_support.h"
#include "headless_allegro.h"

namespace vek {
namespace {

class TextBoxInput : public ::testing::Test {
 protected:
  void SetUp() override {
    test::useColorDepth(32);
    test::useHeadlessKeyboard();
    test::resetInput();
    box = form.add<TextBox>("txtInput", 0, 0, 100, 10);
    box->activate();
  }
  void TearDown() override { clear_keybuf(); }

  Form form{0, 0, 200, 50};
  TextBox* box = nullptr;
};

struct TypingCase {
  const char* what;
  const char* start;
  const char* typed;
  int maxLength;
  const char* result;
};

TEST_F(TextBoxInput, TakesPrintableKeysAndBackspaceUpToItsLimits) {
  const TypingCase cases[] = {
      {"printable ASCII", "", "Hello, World! ~{}", 1023, "Hello, World! ~{}"},
      {"backspace removes the last character", "ab", "\bc", 1023, "ac"},
      {"backspace on empty text", "", "\b\bx", 1023, "x"},
      {"Enter, Tab, Escape and DEL are dropped", "a", "\r\t\x1b\x7f" "b", 1023, "ab"},
      {"maxLength stops typing", "", "abcdef", 3, "abc"},
      {"backspace works at the limit", "abc", "\bx", 3, "abx"},
      {"maxLength 0 takes nothing", "", "abc", 0, ""},
      {"negative maxLength takes nothing", "", "abc", -5, ""},
      {"text longer than maxLength still shrinks", "abcdef", "\bx", 3, "abcde"},
  };
  for (const TypingCase& c : cases) {
    SCOPED_TRACE(c.what);
    box->setText(c.start);
    box->maxLength = c.maxLength;
    test::typeKeys(c.typed);
    box->handleInput(InputSnapshot{});
    EXPECT_STREQ(box->text, c.result);
    EXPECT_FALSE(keypressed()) << "every waiting key is taken";
    EXPECT_TRUE(box->focused) << "the focus stays, even after Enter";
  }
}

TEST_F(TextBoxInput, DropsKeysWithoutACharacterAndCharactersAbove126) {
  box->setText("a");
  simulate_keypress(KEY_LEFT << 8);  // a cursor key: scancode only, character 0
  simulate_ukeypress(200, KEY_E);    // a Latin-1 letter
  simulate_ukeypress(0x263A, 0);     // beyond 255: readkey gives '^', which is printable
  simulate_keypress('b');
  box->handleInput(InputSnapshot{});
  EXPECT_STREQ(box->text, "a^b");
}

TEST_F(TextBoxInput, StopsAt1023CharactersWhateverMaxLengthSays) {
  box->maxLength = 5000;
  const std::string full(1023, 'z');
  box->setText(full.c_str());
  test::typeKeys("y");
  box->handleInput(InputSnapshot{});
  EXPECT_EQ(std::string(box->text), full);

  // A buffer the creator filled to the last byte is read as 1023 characters.
  std::memset(box->text, 'q', sizeof box->text);
  test::typeKeys("\b");
  box->handleInput(InputSnapshot{});
  EXPECT_EQ(std::string(box->text), std::string(1022, 'q'));
}

TEST_F(TextBoxInput, UnfocusedBoxLeavesTheKeysForOthers) {
  box->focused = false;
  test::typeKeys("ab");
  box->handleInput(InputSnapshot{});
  EXPECT_STREQ(box->text, "");
  ASSERT_TRUE(keypressed());
  EXPECT_EQ(readkey() & 0xff, 'a');
}

TEST_F(TextBoxInput, TakesAFullKeyBufferInOneCall) {
  std::string typed;
  while (typed.size() < 100) typed += "abcdefghij";
  test::typeKeys(typed.c_str());  // Allegro's buffer keeps the first 63
  box->handleInput(InputSnapshot{});
  EXPECT_EQ(std::string(box->text), typed.substr(0, 63));
  EXPECT_FALSE(keypressed());
}

TEST_F(TextBoxInput, ReturnsWhenNoKeyboardHandlerTakesTheBufferedKeys) {
  // Without a keyboard driver or hooks, keypressed() reports a buffered key
  // for ever while readkey() returns 0 and leaves it there. A loop that
  // trusted keypressed() would never end, so the call runs in a child
  // process that an alarm stops.
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

}  // namespace
}  // namespace vek
