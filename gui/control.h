#pragma once

#include <allegro.h>

#include "gui/input_snapshot.h"

namespace vek {

// The kinds of control a form creates; the number is what addControl takes.
enum class ControlKind : int {
  Panel = 1,
  Button = 2,
  Label = 3,
  TextBox = 4,
  ProgressBar = 5,
};

// Colour fields hold Allegro colour numbers of the current depth (makecol);
// a negative value means that part of the control is not drawn.
constexpr int kNoColor = -1;

// The base of every control: a rectangle relative to its form, with an
// optional frame, fill and picture. Fields are public: the creator fills them
// right after the form has created the control. A plain Control draws like a
// Panel and ignores input.
class Control {
 public:
  Control(ControlKind kind, int x, int y, int width, int height);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Paints the control on target; (originX, originY) is the form's screen
  // position, added to x and y. This draws the common part: the frame one
  // pixel outside the rectangle, the fill, then the picture cut to the
  // rectangle.
  virtual void draw(BITMAP* target, int originX, int originY);
  // Lets the control react to the mouse and keyboard; snapshot is the form
  // manager's input state from the end of its previous update.
  virtual void handleInput(InputSnapshot snapshot);
  // Gives the control the focus; only buttons and text boxes take it.
  virtual void activate();

  // True when the screen point (px, py) lies in the rectangle placed at the
  // origin: left and top edges inside, right and bottom edges outside.
  bool contains(int originX, int originY, int px, int py) const;

  ControlKind kind;
  int x;
  int y;
  int width;
  int height;
  BITMAP* bitmap = nullptr;  // not owned; drawn at the top-left corner, unscaled
  int fillColor = kNoColor;
  int borderColor = kNoColor;
  bool visible = true;   // drawn, hit-tested and given input only when true
  bool focused = false;  // keyboard focus (TextBox) or armed for a click (Button)
  FONT* font;            // not owned; Allegro's built-in font at creation
  int textColor;         // white at creation
};

// The control as its class T (Button, TextBox, ...) when it was created as
// that kind; null otherwise or for a null control.
template <class T>
T* controlAs(Control* control) {
  if (control == nullptr || control->kind != T::kKind) return nullptr;
  return static_cast<T*>(control);
}

}  // namespace vek
