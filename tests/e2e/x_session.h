#pragma once

// Real programs in a virtual X display: Xvfb on a free display, the pointer
// and keys through xdotool, screenshots through ImageMagick's import. Every
// wait has a deadline; every process started is killed on destruction.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vek::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Polls condition every 20 ms until it holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, milliseconds timeout);

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb& other) const {
    return r == other.r && g == other.g && b == other.b;
  }
};

// A screenshot as 8-bit RGB pixels.
class Image {
 public:
  Image() = default;
  Image(int width, int height, std::vector<unsigned char> rgb);
  bool empty() const { return width_ == 0; }
  Rgb pixel(int x, int y) const;
  // Whether every pixel of the rectangle has the colour.
  bool allOf(int x, int y, int width, int height, Rgb colour) const;
  // Number of pixels of the rectangle that have the colour.
  int count(int x, int y, int width, int height, Rgb colour) const;
  bool writePpm(const std::string& path) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<unsigned char> rgb_;
};

// A child process; killed (SIGKILL) on destruction unless it has ended.
class Process {
 public:
  // Starts argv[0] (searched in PATH) with extra environment entries
  // ("NAME=value") in the folder workingDirectory (empty: the current one).
  Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment = {},
          const std::string& workingDirectory = "");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // The exit code once the process ended within timeout; -1 when it was
  // killed by a signal; nothing when it is still running.
  std::optional<int> waitForExit(milliseconds timeout);
  void kill();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;
};

// One Xvfb display for the life of the object.
class XSession {
 public:
  XSession(int width = 1280, int height = 1024);
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool ok() const { return ok_; }
  // ":N"
  const std::string& display() const { return display_; }
  // "DISPLAY=:N", for Process environments.
  std::string displayVariable() const { return "DISPLAY=" + display_; }

  // Runs xdotool on this display; gives its output.
  std::string xdotool(std::vector<std::string> arguments) const;
  // The first visible window whose name is exactly name, waiting for it.
  std::optional<std::string> waitForWindow(const std::string& name, milliseconds timeout) const;
  // Whether a window of that exact name is mapped now.
  bool hasWindow(const std::string& name) const;
  // Screenshot of one window (its inside, without decorations) or of the
  // whole screen for window "root".
  Image screenshot(const std::string& window = "root") const;

  // Asks the window to close as a window manager's close button does: the
  // client message WM_PROTOCOLS / WM_DELETE_WINDOW (xdotool's windowclose
  // destroys the window instead). False when it could not be sent.
  bool requestClose(const std::string& window) const;

  // Pointer and keyboard, positions relative to the window.
  void moveTo(const std::string& window, int x, int y) const;
  void press(int button) const;    // 1 left, 2 middle, 3 right
  void release(int button) const;
  void typeText(const std::string& text) const;
  void key(const std::string& keyName) const;  // e.g. "Return", "Escape", "ctrl+a"

 private:
  std::string display_;
  std::optional<Process> server_;
  bool ok_ = false;
};

}  // namespace vek::e2e
