#pragma once

// The platform services of a benchmark run: nobody sits at the screen, so
// every dialog is answered with a path set beforehand, messages go nowhere
// and a click wait answers at once.

#include <string>

#include "platform/platform.h"

namespace vek::bench {

// Answers every open-file dialog with the same path, like a user who always
// picks that file.
class AnsweringFileDialog : public FileDialog {
 public:
  void answerWith(std::string path) { answer_ = std::move(path); }
  // False (cancelled) when no answer is set or it does not fit the buffer.
  bool chooseFile(const char* title, const char* extension, char* path,
                  std::size_t capacity) override;

 private:
  std::string answer_;
};

class SilentMessageBox : public MessageBox {
 public:
  void showMessage(const char*) override {}
};

// Answers getpos with the top-left cell.
class ImmediatePointer : public PointerWait {
 public:
  bool waitForLeftClick(int, int, int* x, int* y, const std::function<bool()>&) override {
    *x = 0;
    *y = 0;
    return true;
  }
};

// The three together, as the editor and the script host take them.
struct BenchPlatform {
  AnsweringFileDialog files;
  SilentMessageBox messages;
  ImmediatePointer pointer;
  Platform services{files, messages, pointer};
};

}  // namespace vek::bench
