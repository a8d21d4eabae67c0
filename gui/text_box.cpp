#include "gui/text_box.h"

#include <cstring>

#include "gui/text_buffer.h"

namespace vek {

namespace {

constexpr int kBackspace = 8;
constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;
// Allegro's key buffer holds 63 keys, so this bound never cuts a real
// buffer short. It stops the loop when no keyboard is installed: then
// keypressed() still reports simulated keys that readkey() never takes.
constexpr int kMostKeysPerUpdate = 1024;

}  // namespace

TextBox::TextBox(int x, int y, int width, int height) : Control(kKind, x, y, width, height) {
  borderColor = makecol(255, 255, 255);
}

void TextBox::draw(BITMAP* target, int originX, int originY) {
  Control::draw(target, originX, originY);
  drawCaptionText(target, font, terminated(text), originX + x, originY + y, width, height,
                  alignment, textColor);
}

void TextBox::handleInput(InputSnapshot) {
  if (!focused) return;
  int length = static_cast<int>(std::strlen(terminated(text)));
  for (int taken = 0; taken < kMostKeysPerUpdate && keypressed(); ++taken) {
    const int character = readkey() & 0xff;
    if (character == kBackspace) {
      if (length > 0) text[--length] = '\0';
    } else if (character >= kFirstPrintable && character <= kLastPrintable) {
      if (length < kMaxTextLength && length < maxLength) {
        text[length++] = static_cast<char>(character);
        text[length] = '\0';
      }
    }
  }
}

void TextBox::activate() { focused = true; }

void TextBox::setText(const char* newText) { copyCut(text, newText); }

}  // namespace vek
