#include "gui/control_factory.h"

#include <new>

#include "gui/button.h"
#include "gui/label.h"
#include "gui/panel.h"
#include "gui/progress_bar.h"
#include "gui/text_box.h"

namespace vek {

namespace {

template <class T>
std::unique_ptr<Control> make(int x, int y, int width, int height) {
  return std::unique_ptr<Control>(new (std::nothrow) T(x, y, width, height));
}

}  // namespace

std::unique_ptr<Control> createControl(ControlKind kind, int x, int y, int width, int height) {
  switch (kind) {
    case ControlKind::Panel:
      return make<Panel>(x, y, width, height);
    case ControlKind::Button:
      return make<Button>(x, y, width, height);
    case ControlKind::Label:
      return make<Label>(x, y, width, height);
    case ControlKind::TextBox:
      return make<TextBox>(x, y, width, height);
    case ControlKind::ProgressBar:
      return make<ProgressBar>(x, y, width, height);
  }
  return nullptr;
}

}  // namespace vek
