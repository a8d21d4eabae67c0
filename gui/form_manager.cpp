#include "gui/form_manager.h"

#include <new>

#include "gui/stacked_list.h"

namespace vek {

FormManager::FormManager() : snapshot(captureInput()) {}

FormManager::~FormManager() { stacked_list::freeAll(forms); }

Form* FormManager::addForm(const char* name, int x, int y, int width, int height) {
  std::unique_ptr<Form> form(new (std::nothrow) Form(x, y, width, height));
  if (!form) return nullptr;
  std::unique_ptr<FormEntry> entry(new (std::nothrow) FormEntry);
  if (!entry) return nullptr;
  entry->form = std::move(form);
  Form* created = entry->form.get();
  stacked_list::pushOnTop(forms, std::move(entry), name);
  return created;
}

void FormManager::draw(BITMAP* target) {
  if (target == nullptr) return;
  acquire_bitmap(target);
  for (FormEntry* entry : stacked_list::oldestFirst(forms.get())) {
    if (entry->form->visible) entry->form->draw(target);
  }
  release_bitmap(target);
}

void FormManager::update() {
  if (leftButtonPressedSince(snapshot) && formUnderMouse() == nullptr) {
    for (FormEntry* entry = forms.get(); entry != nullptr; entry = entry->next.get()) {
      entry->form->clearFocus();
    }
  }
  if (Control* focused = focusedControl()) focused->handleInput(snapshot);
  if (Form* underMouse = formUnderMouse()) underMouse->handleInput(snapshot);
  snapshot = captureInput();
}

Form* FormManager::formUnderMouse() const {
  const long long pointerX = mouse_x;
  const long long pointerY = mouse_y;
  for (FormEntry* entry = forms.get(); entry != nullptr; entry = entry->next.get()) {
    const Form& form = *entry->form;
    if (!form.visible) continue;
    if (form.x <= pointerX && pointerX < static_cast<long long>(form.x) + form.width &&
        form.y <= pointerY && pointerY < static_cast<long long>(form.y) + form.height) {
      return entry->form.get();
    }
  }
  return nullptr;
}

Control* FormManager::focusedControl() const {
  for (FormEntry* entry = forms.get(); entry != nullptr; entry = entry->next.get()) {
    if (Control* focused = entry->form->focusedControl()) return focused;
  }
  return nullptr;
}

}  // namespace vek
