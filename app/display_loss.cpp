#include "app/display_loss.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <initializer_list>

namespace vek {
namespace {

constexpr int kExitDisplayLost = 1;

void say(const char* text) {
  ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
  (void)ignored;
}

int onDisplayLost(Display*) {
  say("vekedit: the connection to the display is lost\n");
  ::_exit(kExitDisplayLost);
}

// Ends the program by the signal itself, as if no handler were there.
void onEndSignal(int signalNumber) {
  ::signal(signalNumber, SIG_DFL);
  ::raise(signalNumber);
}

}  // namespace

void endAtOnceWithoutDisplay() {
  XSetIOErrorHandler(onDisplayLost);
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = onEndSignal;
  sigemptyset(&action.sa_mask);
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) sigaction(signalNumber, &action, nullptr);
}

}  // namespace vek
