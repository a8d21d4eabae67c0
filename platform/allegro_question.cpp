#include "platform/allegro_question.h"

#include <allegro.h>

#include <algorithm>
#include <cctype>

namespace vek {
namespace {

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 16;
constexpr int kGap = 12;
constexpr int kMargin = 16;
constexpr int kRestMilliseconds = 5;

struct Layout {
  int x, y, width, height;
  int buttonsLeft, buttonsTop;
};

Layout layoutFor(BITMAP* target, const std::string& text, std::size_t answerCount) {
  int count = static_cast<int>(answerCount);
  int buttonsWidth = count * kButtonWidth + (count - 1) * kGap;
  int width = std::max(text_length(font, text.c_str()), buttonsWidth) + 2 * kMargin;
  int height = text_height(font) + kButtonHeight + 3 * kMargin;
  Layout layout{(target->w - width) / 2, (target->h - height) / 2, width, height, 0, 0};
  layout.buttonsLeft = layout.x + (width - buttonsWidth) / 2;
  layout.buttonsTop = layout.y + height - kMargin - kButtonHeight;
  return layout;
}

int buttonLeft(const Layout& layout, int index) {
  return layout.buttonsLeft + index * (kButtonWidth + kGap);
}

void drawBox(BITMAP* target, const Layout& layout, const std::string& text,
             const std::vector<std::string>& answers) {
  int black = makecol(0, 0, 0);
  rectfill(target, layout.x, layout.y, layout.x + layout.width - 1, layout.y + layout.height - 1,
           makecol(255, 255, 255));
  rect(target, layout.x, layout.y, layout.x + layout.width - 1, layout.y + layout.height - 1,
       black);
  textout_centre_ex(target, font, text.c_str(), layout.x + layout.width / 2, layout.y + kMargin,
                    black, -1);
  for (std::size_t i = 0; i < answers.size(); ++i) {
    int left = buttonLeft(layout, static_cast<int>(i));
    rect(target, left, layout.buttonsTop, left + kButtonWidth - 1,
         layout.buttonsTop + kButtonHeight - 1, black);
    textout_centre_ex(target, font, answers[i].c_str(), left + kButtonWidth / 2,
                      layout.buttonsTop + (kButtonHeight - text_height(font)) / 2, black, -1);
  }
}

int answerAt(const Layout& layout, std::size_t answerCount, int x, int y) {
  if (y < layout.buttonsTop || y >= layout.buttonsTop + kButtonHeight) return -1;
  for (int i = 0; i < static_cast<int>(answerCount); ++i) {
    int left = buttonLeft(layout, i);
    if (x >= left && x < left + kButtonWidth) return i;
  }
  return -1;
}

int answerForKey(int key, const std::vector<std::string>& answers) {
  int scancode = key >> 8;
  if (scancode == KEY_ESC) return static_cast<int>(answers.size()) - 1;
  int letter = std::tolower(key & 0xff);
  for (std::size_t i = 0; i < answers.size(); ++i) {
    if (!answers[i].empty() && std::tolower(static_cast<unsigned char>(answers[i][0])) == letter) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool anyKeyDown() {
  for (int code = 1; code < KEY_MAX; ++code) {
    if (key[code]) return true;
  }
  return false;
}

}  // namespace

int AllegroQuestion::ask(const std::string& text, const std::vector<std::string>& answers) {
  if (answers.empty()) return -1;
  if (!screen) return static_cast<int>(answers.size()) - 1;
  BITMAP* saved = create_bitmap(screen->w, screen->h);
  if (saved) blit(screen, saved, 0, 0, 0, 0, screen->w, screen->h);
  Layout layout = layoutFor(screen, text, answers.size());
  show_mouse(nullptr);
  drawBox(screen, layout, text, answers);
  show_mouse(screen);

  clear_keybuf();
  // A press already held when the box opened is not an answer.
  bool mouseWasUp = !(mouse_b & 1);
  int answer = -1;
  while (answer < 0) {
    if (mouse_needs_poll()) poll_mouse();
    if (keypressed()) answer = answerForKey(readkey(), answers);
    int buttons = mouse_b;
    if (answer < 0 && mouseWasUp && (buttons & 1)) {
      answer = answerAt(layout, answers.size(), mouse_x, mouse_y);
    }
    mouseWasUp = !(buttons & 1);
    if (answer < 0) rest(kRestMilliseconds);
  }

  while ((mouse_b & 7) || anyKeyDown()) rest(kRestMilliseconds);
  clear_keybuf();
  show_mouse(nullptr);
  if (saved) {
    blit(saved, screen, 0, 0, 0, 0, screen->w, screen->h);
    destroy_bitmap(saved);
  }
  return answer;
}

}  // namespace vek
