#pragma once

// Xvfb on a free display, xdotool input, import screenshots; every wait has
// a deadline and every process started is killed on destruction.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vek::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool waitUntil(const std::function<bool()>& condition, milliseconds timeout);

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
  bool writePpm(const std::string& path) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<unsigned char> rgb_;
};

// A child process; killed (SIGKILL) on destruction unless it has ended.
class Process {
 public:
  // environment: extra "NAME=value" entries.
  Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment = {},
          const std::string& workingDirectory = "");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // -1 when killed by a signal; nothing when still running.
  std::optional<int> waitForExit(milliseconds timeout);
  void kill();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;
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
  bool hasWindow(const std::string& name) const;
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
