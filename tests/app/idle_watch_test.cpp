// The main loop rests only while the input stays as it is and the last
// passes drew the frame the one before them drew.
#include <allegro.h>
#include <gtest/gtest.h>

#include "app/idle_watch.h"
#include "headless_allegro.h"

namespace vek {
namespace {

TEST(IdleWatch, RestsOnlyOnceTheInputAndTheFrameHaveSettled) {
  test::useColorDepth(32);
  test::resetInput();
  BITMAP* frame = create_bitmap(40, 30);
  struct Step {
    int mouseX;
    int colour;  // what the pass draws
    bool rests;
  };
  const Step steps[] = {
      {0, 0, false}, {0, 0, false}, {0, 0, false}, {0, 0, false},  // the frame settles
      {0, 0, true},  {0, 0, true},
      {5, 0, false}, {5, 0, false}, {5, 0, false}, {5, 0, false},  // the pointer moved
      {5, 0, true},
      {7, 1, false}, {7, 2, false}, {7, 3, false}, {7, 4, false},  // a frame that changes
      {7, 5, false}, {7, 5, false}, {7, 5, false}, {7, 5, true},
  };
  IdleWatch idle;
  int index = 0;
  for (const Step& step : steps) {
    test::putMouse(step.mouseX, 0, 0);
    EXPECT_EQ(idle.mayRest(), step.rests) << "step " << index++;
    if (step.rests) continue;
    clear_to_color(frame, step.colour);
    idle.passDrawn(frame);
  }
  destroy_bitmap(frame);
}

}  // namespace
}  // namespace vek
