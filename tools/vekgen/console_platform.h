#pragma once

// The platform services of the script host without a window.

#include <cstdio>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "script/script_host.h"

namespace vek {

// "Chooses" the script named on the command line.
class FixedFileDialog : public FileDialog {
 public:
  explicit FixedFileDialog(std::string path) : path_(std::move(path)) {}
  // False when the path does not fit the caller's buffer.
  bool chooseFile(const char* title, const char* extension, char* path,
                  std::size_t capacity) override;

 private:
  std::string path_;
};

// Writes each message and a newline to a stream, with an optional prefix.
class StreamMessageBox : public MessageBox {
 public:
  StreamMessageBox(std::FILE* stream, std::string prefix)
      : stream_(stream), prefix_(std::move(prefix)) {}
  void showMessage(const char* text) override;

 private:
  std::FILE* stream_;
  std::string prefix_;
};

// Answers getpos with the cell given by --pos. Without one, it aborts the
// run through the host, since there is nobody to click.
class FixedPointer : public PointerWait {
 public:
  FixedPointer(std::optional<int> cellX, std::optional<int> cellY) : cellX_(cellX), cellY_(cellY) {}
  void attach(ScriptHost& host) { host_ = &host; }
  bool waitForLeftClick(int width, int height, int* x, int* y,
                        const std::function<bool()>& stopped) override;

 private:
  std::optional<int> cellX_;
  std::optional<int> cellY_;
  ScriptHost* host_ = nullptr;
};

// A message box that shows nothing (the world warning of the editor has no
// use on a command line that names its folder).
class SilentMessageBox : public MessageBox {
 public:
  void showMessage(const char*) override {}
};

}  // namespace vek
