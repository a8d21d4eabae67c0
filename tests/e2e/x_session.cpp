#include "x_session.h"

#include "child_process.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace vek::e2e {
namespace {

// The display number Xvfb writes to its -displayfd pipe once it takes
// connections; empty when it ends or is silent for 20 s.
std::string readDisplayNumber(int fd) {
  std::string text;
  char c = 0;
  pollfd waiting{fd, POLLIN, 0};
  while (poll(&waiting, 1, 20000) > 0 && read(fd, &c, 1) == 1 && c != '\n') text += c;
  if (c != '\n' || text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
    return "";
  return text;
}

}  // namespace

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

XSession::XSession() {
  // Without a display number Xvfb takes the first free one and names it.
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  server_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipeFds[1]),
                                           "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                                           "-noreset"});
  close(pipeFds[1]);
  std::string number = readDisplayNumber(pipeFds[0]);
  close(pipeFds[0]);
  ok_ = !number.empty() && server_->running();
  if (ok_) display_ = ":" + number;
}

XSession::~XSession() { server_.reset(); }

std::string XSession::xdotool(std::vector<std::string> arguments) const {
  arguments.insert(arguments.begin(), "xdotool");
  return test::runProgram(arguments, {displayVariable()}).out;
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
