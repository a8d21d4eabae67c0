#pragma once

// Scripted platform services and a small harness that runs scripts through
// the real host and engine.

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "script/script_grid.h"
#include "script/script_host.h"
#include "script/script_string_value.h"
#include "temp_dir.h"

namespace vek::test {

// Answers each dialog with the next queued path; cancels when none is left.
class ScriptedFileDialog : public FileDialog {
 public:
  struct Call {
    std::string title;
    std::string extension;
    std::string initialPath;
    std::size_t capacity;
  };

  void answer(const std::string& path) { answers_.push_back(path); }
  bool chooseFile(const char* title, const char* extension, char* path,
                  std::size_t capacity) override;
  const std::vector<Call>& calls() const { return calls_; }

 private:
  std::vector<std::string> answers_;
  std::vector<Call> calls_;
};

class RecordingMessageBox : public MessageBox {
 public:
  void showMessage(const char* text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// Answers every wait with one pixel position.
class FixedPixelPointer : public PointerWait {
 public:
  void waitForLeftClick(int width, int height, int* x, int* y) override;
  int pixelX = 0;
  int pixelY = 0;
  int calls = 0;
  int lastWidth = 0;
  int lastHeight = 0;
};

// A host over its own grid (not the program's one) with scripted services.
// Scripts can also call record(string), recordInt(int) and recordFlag(bool),
// which append to records, so a test compares what the script computed.
class ScriptHarness {
 public:
  ScriptHarness();
  explicit ScriptHarness(PointerWait& pointer);

  // Writes text as a script file and queues it as the dialog's answer.
  std::string addScript(const std::string& text, const std::string& name = "script.as");
  // addScript, then one run; gives runScript's result.
  bool run(const std::string& text);

  TempDir dir;
  ScriptedFileDialog files;
  RecordingMessageBox messages;
  FixedPixelPointer fixedPointer;
  std::unique_ptr<ScriptGrid> grid;
  std::vector<std::string> records;
  std::unique_ptr<ScriptHost> host;

  // void record(const string &in)
  void record(const ScriptStringValue& text);
  // void recordInt(int)
  void recordInt(int value);
  // void recordFlag(bool)
  void recordFlag(bool value);

 private:
  void createHost(PointerWait& pointer);
};

}  // namespace vek::test
