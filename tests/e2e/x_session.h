#pragma once

// Xvfb on a display of its choosing, xdotool input, import screenshots;
// every wait has a deadline and every process started is killed on destruction.

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

namespace vek::e2e {

using test::milliseconds;
using test::Process;
using test::waitUntil;

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb& other) const {
    return r == other.r && g == other.g && b == other.b;
  }
};

class Image {
 public:
  Image() = default;
  Image(int width, int height, std::vector<unsigned char> rgb);
  bool empty() const { return width_ == 0; }
  Rgb pixel(int x, int y) const;
  bool allOf(int x, int y, int width, int height, Rgb colour) const;
  int count(int x, int y, int width, int height, Rgb colour) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<unsigned char> rgb_;
};

class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool ok() const { return ok_; }
  const std::string& display() const { return display_; }
  std::string displayVariable() const { return "DISPLAY=" + display_; }

  std::string xdotool(std::vector<std::string> arguments) const;
  std::optional<std::string> waitForWindow(const std::string& name, milliseconds timeout) const;
  Image screenshot(const std::string& window = "root") const;

  // WM_DELETE_WINDOW as a window manager's close button sends it (xdotool's
  // windowclose destroys the window instead).
  bool requestClose(const std::string& window) const;

  void moveTo(const std::string& window, int x, int y) const;
  void press(int button) const;    // 1 left, 2 middle, 3 right
  void release(int button) const;
  void typeText(const std::string& text) const;
  void key(const std::string& keyName) const;

 private:
  std::string display_;
  std::optional<Process> server_;
  bool ok_ = false;
};

}  // namespace vek::e2e
