#include "gui/form.h"

#include <new>

#include "gui/control_factory.h"
#include "gui/masked_picture.h"
#include "gui/stacked_list.h"

namespace vek {

Form::Form(int x, int y, int width, int height) : x(x), y(y), width(width), height(height) {}

Form::~Form() { stacked_list::freeAll(controls); }

Control* Form::addControl(ControlKind kind, const char* name, int x, int y, int width,
                          int height) {
  std::unique_ptr<Control> control = createControl(kind, x, y, width, height);
  if (!control) return nullptr;
  std::unique_ptr<ControlEntry> entry(new (std::nothrow) ControlEntry);
  if (!entry) return nullptr;
  entry->control = std::move(control);
  Control* created = entry->control.get();
  stacked_list::pushOnTop(controls, std::move(entry), name);
  return created;
}

void Form::draw(BITMAP* target) {
  if (target == nullptr) return;
  drawMaskedPicture(background, target, x, y, width, height);
  for (ControlEntry* entry : stacked_list::oldestFirst(controls.get())) {
    if (entry->control->visible) entry->control->draw(target, x, y);
  }
}

void Form::handleInput(InputSnapshot snapshot) {
  if (leftButtonPressedSince(snapshot) && controlUnderMouse() == nullptr) clearFocus();
  if (leftButtonPressedSince(snapshot)) {
    if (Control* clicked = controlUnderMouse()) {
      clear_keybuf();
      clearFocus();
      clicked->activate();
    }
  }
  // A click handler may add controls; they go in front of the list, so the
  // walk over the older entries stays valid.
  for (ControlEntry* entry = controls.get(); entry != nullptr; entry = entry->next.get()) {
    if (entry->control->visible) entry->control->handleInput(snapshot);
  }
}

Control* Form::controlUnderMouse() const {
  const int pointerX = mouse_x;
  const int pointerY = mouse_y;
  for (ControlEntry* entry = controls.get(); entry != nullptr; entry = entry->next.get()) {
    const Control& control = *entry->control;
    if (control.visible && control.contains(x, y, pointerX, pointerY)) return entry->control.get();
  }
  return nullptr;
}

Control* Form::focusedControl() const {
  for (ControlEntry* entry = controls.get(); entry != nullptr; entry = entry->next.get()) {
    if (entry->control->focused) return entry->control.get();
  }
  return nullptr;
}

void Form::clearFocus() {
  for (ControlEntry* entry = controls.get(); entry != nullptr; entry = entry->next.get()) {
    entry->control->focused = false;
  }
}

}  // namespace vek
