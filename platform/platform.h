#pragma once

// The services the editor and the script host take from the platform: a file
// dialog, a message box and a wait for a click on the frozen screen. The
// program uses the Allegro implementations; tests replace them with scripted
// answers.

#include <cstddef>

namespace vek {

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Shows an open-file dialog titled title (null: the platform's default
  // title, "Open") that lists folders and the files whose extension is
  // extension ("MAP", "as"). It starts from the content of path (an empty
  // path starts in the working directory) and accepts only an existing
  // regular file in an existing folder. On confirmation the full path stands
  // in path (capacity bytes, terminator included) and the result is true;
  // on cancel path is unchanged and the result false.
  virtual bool chooseFile(const char* title, const char* extension, char* path,
                          std::size_t capacity) = 0;
};

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows text exactly as given (no formatting is applied to it) and returns
  // once the user has dismissed it.
  virtual void showMessage(const char* text) = 0;
};

class PointerWait {
 public:
  virtual ~PointerWait() = default;
  // Freezes the frame the screen shows, with a live pointer over it, until a
  // reading of the mouse finds the left button down with the pointer inside
  // the area from (0, 0) to (width - 1, height - 1); gives the pointer
  // position of that reading.
  virtual void waitForLeftClick(int width, int height, int* x, int* y) = 0;
};

// The three services together, as the editor hands them on.
struct Platform {
  FileDialog& files;
  MessageBox& messages;
  PointerWait& pointer;
};

}  // namespace vek
