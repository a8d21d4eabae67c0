#pragma once

// The services the editor and the script host take from the platform: a file
// dialog, a message box and a wait for a click on the frozen screen. The
// program uses the Allegro implementations; tests replace them with scripted
// answers.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

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
  // The same dialog for saving: it accepts a new or existing file name in an
  // existing folder (a name without a dot gets "." extension). Whether to
  // replace an existing file is the caller's question. A platform without a
  // save dialog keeps this default, which offers none (false).
  virtual bool chooseNewFile(const char* title, const char* extension, char* path,
                             std::size_t capacity) {
    (void)title, (void)extension, (void)path, (void)capacity;
    return false;
  }
};

class Question {
 public:
  virtual ~Question() = default;
  // Asks text in the editor's window, centred, with one button per answer
  // from left to right, and waits for one: a click on a button, the first
  // letter of an answer (either case), or Escape for the last answer. Gives
  // the index of the answer.
  virtual int ask(const std::string& text, const std::vector<std::string>& answers) = 0;
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
  // the area from (0, 0) to (width - 1, height - 1): true, with the pointer
  // position of that reading. False, with no position, as soon as stopped()
  // gives true (it is asked before each reading).
  virtual bool waitForLeftClick(int width, int height, int* x, int* y,
                                const std::function<bool()>& stopped) = 0;
};

// The services together, as the editor hands them on. Without questions
// (the command-line tools) nothing is asked and everything acts at once.
struct Platform {
  FileDialog& files;
  MessageBox& messages;
  PointerWait& pointer;
  Question* questions = nullptr;
};

}  // namespace vek
