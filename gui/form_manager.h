#pragma once

#include <allegro.h>

#include <memory>

#include "gui/form.h"
#include "gui/input_snapshot.h"

namespace vek {

// A node of the form manager's list of forms, newest first.
struct FormEntry {
  char name[256] = {};  // given to addForm, cut to 255 characters
  int zOrder = 1;       // 1 = topmost
  std::unique_ptr<Form> form;
  std::unique_ptr<FormEntry> next;  // the next older entry, null at the end
};

// Owns the forms, draws them once per frame and hands them the mouse and
// keyboard by polling Allegro's globals. Destroying the manager frees every
// form and control; bitmaps and fonts they point to are not theirs.
//
// Each frame: paint the screen into the back buffer, then draw(buffer), then
// update(); click handlers run inside update().
class FormManager {
 public:
  // An empty manager whose snapshot holds the input of this moment.
  FormManager();
  ~FormManager();
  FormManager(const FormManager&) = delete;
  FormManager& operator=(const FormManager&) = delete;

  // Creates a form at that screen rectangle, puts it on top and returns it;
  // null when memory runs out.
  Form* addForm(const char* name, int x, int y, int width, int height);
  // Draws every visible form, the oldest first, between acquire_bitmap and
  // release_bitmap.
  void draw(BITMAP* target);
  // The per-frame dispatch:
  //  1. a new left press outside every visible form clears every focus;
  //  2. the focused control (of the newest form that has one, visible or
  //     not) gets handleInput, so a text box keeps its keys while the mouse
  //     is elsewhere;
  //  3. the form under the mouse gets handleInput;
  //  4. the snapshot is refreshed from Allegro's globals.
  void update();

  // The topmost visible form whose rectangle holds the mouse (half-open);
  // null when none.
  Form* formUnderMouse() const;
  // The first focused control of the forms, newest form first, visible or
  // not; null when none.
  Control* focusedControl() const;

  std::unique_ptr<FormEntry> forms;  // head: the newest form
  InputSnapshot snapshot;            // input as of the end of the previous update
};

}  // namespace vek
