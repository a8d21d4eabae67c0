#pragma once

// The one set of stand-ins for the platform services, shared by every test
// program: dialogs answered from a queue, messages recorded, clicks answered
// with a fixed position. Each records how it was called.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vek::test {

class ScriptedFileDialog : public FileDialog {
 public:
  struct Call {
    std::optional<std::string> title;  // nullopt: no title given
    std::string extension;
    std::string initialPath;
    std::size_t capacity;
  };

  // Queues the path the next dialog confirms.
  void answer(const std::string& path) { answers_.push_back(path); }
  // Queues a cancel; with nothing queued a dialog cancels too.
  void cancelNext() { answers_.push_back(std::nullopt); }

  // Both kinds of dialog record the call, run whileOpen and copy the next
  // queued answer into path; false for a cancel.
  bool chooseFile(const char* title, const char* extension, char* path,
                  std::size_t capacity) override;
  bool chooseNewFile(const char* title, const char* extension, char* path,
                     std::size_t capacity) override {
    return chooseFile(title, extension, path, capacity);
  }

  std::vector<Call> calls;
  // Runs inside each dialog before it answers (to look at the screen, move
  // the mouse, ...).
  std::function<void()> whileOpen;

 private:
  std::deque<std::optional<std::string>> answers_;
};

class RecordingMessageBox : public MessageBox {
 public:
  void showMessage(const char* text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// Answers every click wait with one pixel position.
class FixedPointer : public PointerWait {
 public:
  bool waitForLeftClick(int width, int height, int* x, int* y,
                        const std::function<bool()>& stopped) override {
    ++calls;
    if (whileWaiting) whileWaiting();
    if (stopped()) return false;
    lastWidth = width;
    lastHeight = height;
    *x = pixelX;
    *y = pixelY;
    return true;
  }
  // Runs in each wait before it answers (a test requests a stop there).
  std::function<void()> whileWaiting;
  int pixelX = 0;
  int pixelY = 0;
  int calls = 0;
  int lastWidth = 0;
  int lastHeight = 0;
};

// Answers each question with the next queued caption; with none queued,
// with "Discard" when it is one of the answers, else the last answer.
// Records each question's text and answers.
class ScriptedQuestion : public Question {
 public:
  void answer(const std::string& caption) { answers_.push_back(caption); }
  int ask(const std::string& text, const std::vector<std::string>& answers) override;

  struct Asked {
    std::string text;
    std::vector<std::string> answers;
  };
  std::vector<Asked> asked;
  // Runs inside each question before it answers.
  std::function<void()> whileOpen;

 private:
  std::deque<std::string> answers_;
};

// The fakes together, and the Platform that hands them on.
struct FakePlatform {
  ScriptedFileDialog files;
  RecordingMessageBox messages;
  FixedPointer pointer;
  ScriptedQuestion questions;
  Platform platform{files, messages, pointer, &questions};
};

}  // namespace vek::test
