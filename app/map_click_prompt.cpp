#include "app/map_click_prompt.h"

#include <allegro.h>

#include "app/screen_layout.h"

namespace vek {
namespace {

// The band between the map area and the kind label, as wide as the map.
constexpr int kBandTop = layout::kMapAreaHeight;
constexpr int kBandHeight = layout::kKindY - layout::kMapAreaHeight;

}  // namespace

bool MapClickPrompt::waitForLeftClick(int width, int height, int* x, int* y,
                                      const std::function<bool()>& stopped) {
  BITMAP* hidden = screen ? create_bitmap(layout::kMapAreaWidth, kBandHeight) : nullptr;
  if (hidden) {
    show_mouse(nullptr);
    blit(screen, hidden, 0, kBandTop, 0, 0, hidden->w, hidden->h);
    rectfill(screen, 0, kBandTop, hidden->w - 1, kBandTop + kBandHeight - 1, makecol(0, 0, 0));
    textout_ex(screen, font, kMapClickPrompt, layout::kPathX, layout::kPathY,
               makecol(255, 255, 255), -1);
  }
  bool clicked = wait_.waitForLeftClick(width, height, x, y, stopped);
  if (hidden) {
    blit(hidden, screen, 0, 0, 0, kBandTop, hidden->w, hidden->h);
    destroy_bitmap(hidden);
  }
  return clicked;
}

}  // namespace vek
