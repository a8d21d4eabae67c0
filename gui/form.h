#pragma once

#include <allegro.h>

#include <memory>

#include "gui/button.h"
#include "gui/control.h"
#include "gui/input_snapshot.h"
#include "gui/label.h"
#include "gui/panel.h"
#include "gui/progress_bar.h"
#include "gui/text_box.h"

namespace vek {

// A node of a form's list of controls, newest first.
struct ControlEntry {
  char name[256] = {};               // given to addControl, cut to 255 characters
  int zOrder = 1;                    // 1 = topmost
  std::unique_ptr<Control> control;  // owned; its class follows control->kind
  std::unique_ptr<ControlEntry> next;  // the next older entry, null at the end
};

// A rectangle on the screen that owns a stack of controls. The form's
// position is the origin of its controls; its size is the area in which the
// form manager sends it the mouse.
class Form {
 public:
  Form(int x, int y, int width, int height);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates a control of that kind with the rectangle relative to the form,
  // puts it on top and returns it for the creator to fill in; null for a kind
  // outside 1..5 (the list is then left as it was).
  Control* addControl(ControlKind kind, const char* name, int x, int y, int width, int height);
  // The same, typed by class: add<Button>("cmdLoad", 870, 5, 40, 10).
  template <class T>
  T* add(const char* name, int x, int y, int width, int height) {
    return static_cast<T*>(addControl(T::kKind, name, x, y, width, height));
  }

  // Draws the background (cut to the form's size, mask colour transparent),
  // then the visible controls from the oldest to the newest.
  void draw(BITMAP* target);
  // On a new press of the left button: discards the waiting keys, clears the
  // focus and activates the control under the mouse (or only clears the
  // focus when there is none). Then every visible control, newest first,
  // gets handleInput with a copy of the snapshot.
  void handleInput(InputSnapshot snapshot);

  // The topmost visible control whose rectangle holds Allegro's mouse_x,
  // mouse_y (half-open: right and bottom edges outside); null when none.
  Control* controlUnderMouse() const;
  // The newest control whose focused is set, visible or not; null when none.
  Control* focusedControl() const;
  // Sets focused to false on every control.
  void clearFocus();

  std::unique_ptr<ControlEntry> controls;  // head: the newest control
  int x;
  int y;
  int width;
  int height;
  BITMAP* background = nullptr;  // not owned
  bool visible = true;           // drawn and given the mouse only when true
};

}  // namespace vek
