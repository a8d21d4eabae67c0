#include "x_session.h"

#include "child_process.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

namespace vek::e2e {
namespace {

[[noreturn]] void execChild(const std::vector<std::string>& argv,
                            const std::vector<std::string>& environment,
                            const std::string& workingDirectory) {
  setpgid(0, 0);
  for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
  if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(126);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

bool fileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// The display number Xvfb writes to its -displayfd pipe; empty if none comes.
std::string readDisplayNumber(int fd, milliseconds timeout) {
  std::string text;
  Clock::time_point deadline = Clock::now() + timeout;
  while (text.find('\n') == std::string::npos) {
    auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return "";
    pollfd waiting{fd, POLLIN, 0};
    int ready = poll(&waiting, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return "";
    char buffer[32];
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return "";  // Xvfb ended without a display
    text.append(buffer, static_cast<std::size_t>(got));
  }
  text.resize(text.find('\n'));
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return "";
  return text;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, milliseconds timeout) {
  Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(milliseconds(20));
  }
}

Image::Image(int width, int height, std::vector<unsigned char> rgb)
    : width_(width), height_(height), rgb_(std::move(rgb)) {}

Rgb Image::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {-1, -1, -1};
  const unsigned char* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
  return {p[0], p[1], p[2]};
}

int Image::count(int x, int y, int width, int height, Rgb colour) const {
  int matching = 0;
  for (int row = y; row < y + height; ++row)
    for (int column = x; column < x + width; ++column) matching += pixel(column, row) == colour;
  return matching;
}

bool Image::allOf(int x, int y, int width, int height, Rgb colour) const {
  return count(x, y, width, height, colour) == width * height;
}

bool Image::writePpm(const std::string& path) const {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", width_, height_);
  bool ok = std::fwrite(rgb_.data(), 1, rgb_.size(), out) == rgb_.size();
  return std::fclose(out) == 0 && ok;
}

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& workingDirectory) {
  pid_ = fork();
  if (pid_ == 0) execChild(argv, environment, workingDirectory);
  if (pid_ > 0) setpgid(pid_, pid_);
}

Process::~Process() { kill(); }

bool Process::running() {
  if (pid_ <= 0 || reaped_) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

std::optional<int> Process::waitForExit(milliseconds timeout) {
  if (!waitUntil([this] { return !running(); }, timeout)) return std::nullopt;
  if (pid_ <= 0) return -1;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

void Process::kill() {
  if (pid_ <= 0) return;
  // SIGTERM first so Xvfb removes its lock; then the group (xmessage too).
  if (running()) {
    ::kill(pid_, SIGTERM);
    waitUntil([this] { return !running(); }, milliseconds(5000));
  }
  ::kill(-pid_, SIGKILL);
  if (!reaped_) {
    waitpid(pid_, &status_, 0);
    reaped_ = true;
  }
}

XSession::XSession() {
  // Xvfb's lock file decides whether a number is free; a number taken
  // meanwhile makes it exit, and the next is tried.
  int first = 50 + static_cast<int>(getpid() % 400);
  for (int attempt = 0; attempt < 40 && !ok_; ++attempt) {
    std::string number = std::to_string(first + attempt);
    if (fileExists("/tmp/.X" + number + "-lock")) continue;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    server_.emplace(std::vector<std::string>{"Xvfb", ":" + number, "-displayfd",
                                             std::to_string(pipeFds[1]), "-screen", "0", "1280x1024x24",
                                             "-nolisten", "tcp", "-noreset"});
    close(pipeFds[1]);
    std::string reported = readDisplayNumber(pipeFds[0], milliseconds(20000));
    close(pipeFds[0]);
    ok_ = reported == number && server_->running();
    if (ok_) {
      display_ = ":" + number;
    } else {
      server_.reset();
    }
  }
}

XSession::~XSession() { server_.reset(); }

std::string XSession::xdotool(std::vector<std::string> arguments) const {
  arguments.insert(arguments.begin(), "xdotool");
  return test::runProgram(arguments, {displayVariable()}).out;
}

bool XSession::hasWindow(const std::string& name) const {
  return !xdotool({"search", "--onlyvisible", "--name", "^" + name + "$"}).empty();
}

std::optional<std::string> XSession::waitForWindow(const std::string& name,
                                                   milliseconds timeout) const {
  std::string found;
  waitUntil(
      [&] {
        std::istringstream ids(xdotool({"search", "--onlyvisible", "--name", "^" + name + "$"}));
        return static_cast<bool>(ids >> found);
      },
      timeout);
  if (found.empty()) return std::nullopt;
  return found;
}

Image XSession::screenshot(const std::string& window) const {
  std::string ppm =
      test::runProgram({"import", "-display", display_, "-window", window, "-depth", "8", "ppm:-"}).out;
  std::istringstream header(ppm);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  header >> magic >> width >> height >> maximum;
  if (magic != "P6" || width <= 0 || height <= 0 || maximum != 255) return {};
  std::size_t start = static_cast<std::size_t>(header.tellg()) + 1;
  std::size_t size = static_cast<std::size_t>(width) * height * 3;
  if (ppm.size() < start + size) return {};
  return Image(width, height, std::vector<unsigned char>(ppm.begin() + start,
                                                         ppm.begin() + start + size));
}

bool XSession::requestClose(const std::string& window) const {
  Display* connection = XOpenDisplay(display_.c_str());
  if (!connection) return false;
  Window target = static_cast<Window>(std::strtoul(window.c_str(), nullptr, 0));
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = target;
  event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  bool sent = XSendEvent(connection, target, False, NoEventMask, &event) != 0;
  XSync(connection, False);
  XCloseDisplay(connection);
  return sent;
}

void XSession::moveTo(const std::string& window, int x, int y) const {
  xdotool({"mousemove", "--window", window, std::to_string(x), std::to_string(y)});
}

void XSession::press(int button) const { xdotool({"mousedown", std::to_string(button)}); }

void XSession::release(int button) const { xdotool({"mouseup", std::to_string(button)}); }

void XSession::typeText(const std::string& text) const {
  xdotool({"type", "--delay", "20", text});
}

void XSession::key(const std::string& keyName) const { xdotool({"key", keyName}); }

}  // namespace vek::e2e
