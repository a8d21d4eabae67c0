#include "bench_editor.h"

#include <cerrno>
#include <cstdlib>

#include "app/screen_layout.h"

namespace vek::bench {

HeadlessAllegro::HeadlessAllegro()
    : started_(install_allegro(SYSTEM_NONE, &errno, std::atexit) == 0) {}

HeadlessAllegro::~HeadlessAllegro() {
  if (started_) allegro_exit();
}

BenchEditor::BenchEditor(int depth, const BenchWorld& world) : depth_(depth) {
  set_color_depth(depth);
  screen_ = create_bitmap(layout::kScreenWidth, layout::kScreenHeight);
  clear_bitmap(screen_);
  activate();
  platform_.files.answerWith(world.editMapPath);
  app_ = std::make_unique<EditorApp>(platform_.services);
  app_->startUp(world.archivePath.c_str());
}

BenchEditor::~BenchEditor() {
  activate();
  app_.reset();
  if (screen == screen_) screen = nullptr;
  destroy_bitmap(screen_);
}

void BenchEditor::activate() {
  set_color_depth(depth_);
  screen = screen_;
  mouse_x = kMouseX;
  mouse_y = kMouseY;
  mouse_b = 0;
}

}  // namespace vek::bench
