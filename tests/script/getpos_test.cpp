// getpos on Allegro, headless: the screen is a memory bitmap, and the test
// moves the pointer by setting Allegro's mouse globals before each reading.

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "headless_allegro.h"
#include "platform/allegro_pointer_wait.h"

namespace vek {
namespace {

struct MouseState {
  int x, y, buttons;
};

// A 1000 x 700 memory bitmap as the screen for the duration of a test.
class HeadlessScreen {
 public:
  HeadlessScreen() {
    test::useColorDepth(32);
    screen = create_bitmap(1000, 700);
    clear_to_color(screen, frameColour());
  }
  ~HeadlessScreen() {
    set_color_depth(32);
    destroy_bitmap(screen);
    screen = nullptr;
    mouse_b = 0;
  }
  static int frameColour() { return makecol32(10, 120, 200); }
  static int paintColour() { return makecol32(250, 20, 20); }
};

// Plays one mouse state per pass; after the last it keeps that state and,
// should the wait still go on, ends it with a click so a failing test ends.
class MouseScript {
 public:
  explicit MouseScript(std::vector<MouseState> states) : states_(std::move(states)) {}

  void nextPass() {
    ++passes;
    std::size_t index = static_cast<std::size_t>(passes - 1);
    MouseState state = index < states_.size() ? states_[index] : states_.back();
    if (index >= states_.size() + 100) {
      ranAway = true;
      state = MouseState{1, 1, 1};
    }
    mouse_x = state.x;
    mouse_y = state.y;
    mouse_b = state.buttons;
  }

  int passes = 0;
  bool ranAway = false;

 private:
  std::vector<MouseState> states_;
};

TEST(AllegroPointerWait, EndsAtTheFirstReadingWithTheLeftButtonDownInsideTheArea) {
  struct Case {
    const char* name;
    std::vector<MouseState> states;
    int passes, x, y;
  };
  const Case cases[] = {
      {"last pixel of the area", {{863, 479, 1}}, 1, 863, 479},
      {"first pixel", {{0, 0, 1}}, 1, 0, 0},
      {"both buttons", {{40, 30, 3}}, 1, 40, 30},
      {"outside, up, other buttons, then a click",
       {{864, 10, 1}, {10, 480, 1}, {-1, 5, 1}, {5, -1, 1}, {100, 100, 0}, {100, 100, 2},
        {100, 100, 4}, {101, 102, 1}},
       8, 101, 102},
      {"held while moving in from outside", {{900, 100, 1}, {870, 100, 1}, {860, 100, 1}}, 3, 860,
       100},
  };
  HeadlessScreen headless;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MouseScript mouse(c.states);
    AllegroPointerWait wait([&] { mouse.nextPass(); });
    int x = -1, y = -1;
    wait.waitForLeftClick(864, 480, &x, &y, {});
    EXPECT_FALSE(mouse.ranAway);
    EXPECT_EQ((std::vector<int>{mouse.passes, x, y}), (std::vector<int>{c.passes, c.x, c.y}));
  }
}

// The frozen frame covers whatever is drawn on the screen meanwhile; when no
// snapshot can be made (an unknown colour depth fails every new bitmap), the
// wait still ends at the click and the screen shows what was drawn last.
TEST(AllegroPointerWait, KeepsTheFrozenFrameOnTheScreenOrWaitsWithoutOne) {
  const int frame = HeadlessScreen::frameColour(), paint = HeadlessScreen::paintColour();
  for (bool snapshot : {true, false}) {
    SCOPED_TRACE(snapshot);
    HeadlessScreen headless;
    if (!snapshot) set_color_depth(13);
    std::vector<int> seen;
    MouseScript mouse({{900, 10, 1}, {901, 10, 0}, {20, 40, 1}});  // moving each pass
    AllegroPointerWait wait([&] {
      seen.push_back(getpixel(screen, 500, 600));
      clear_to_color(screen, paint);
      mouse.nextPass();
    });
    int x = 0, y = 0;
    wait.waitForLeftClick(864, 480, &x, &y, {});
    EXPECT_EQ((std::vector<int>{x, y, mouse.passes}), (std::vector<int>{20, 40, 3}));
    EXPECT_EQ(seen, (std::vector<int>{frame, snapshot ? frame : paint, snapshot ? frame : paint}));
  }
}

}  // namespace
}  // namespace vek
