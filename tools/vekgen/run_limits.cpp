#include "run_limits.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace vek {
namespace {

constexpr int kAskAgainMilliseconds = 100;
// A long time limit is waited for in slices, so poll's int never overflows.
constexpr long long kLongestWaitMilliseconds = 60 * 1000;

using Clock = std::chrono::steady_clock;

}  // namespace

RunLimits::RunLimits(ScriptStop& stop, std::optional<double> timeoutSeconds) : stop_(stop) {
  sigemptyset(&watched_);
  sigaddset(&watched_, SIGINT);
  sigaddset(&watched_, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &watched_, &maskBefore_);
  signalFd_ = ::signalfd(-1, &watched_, SFD_CLOEXEC);
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC);
  watcher_ = std::thread([this, timeoutSeconds] { watch(timeoutSeconds); });
}

RunLimits::~RunLimits() {
  std::uint64_t one = 1;
  if (wakeFd_ >= 0 && ::write(wakeFd_, &one, sizeof one) < 0) {
    // Without the wake the watcher could wait for ever: leave it running.
    watcher_.detach();
  }
  if (watcher_.joinable()) watcher_.join();
  if (signalFd_ >= 0) ::close(signalFd_);
  if (wakeFd_ >= 0) ::close(wakeFd_);
  pthread_sigmask(SIG_SETMASK, &maskBefore_, nullptr);
}

void RunLimits::watch(std::optional<double> timeoutSeconds) {
  std::optional<Clock::time_point> deadline;
  if (timeoutSeconds) {
    deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(*timeoutSeconds));
  }
  pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {signalFd_, POLLIN, 0}};
  for (;;) {
    int waitMilliseconds = -1;
    if (reason_.load() != Reason::None) {
      waitMilliseconds = kAskAgainMilliseconds;
    } else if (deadline) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now());
      waitMilliseconds = static_cast<int>(
          std::clamp<long long>(left.count() + 1, 0, kLongestWaitMilliseconds));
    }
    int ready = ::poll(fds, signalFd_ >= 0 ? 2 : 1, waitMilliseconds);
    if (ready < 0) continue;  // interrupted
    if (fds[0].revents) return;
    signalfd_siginfo info;
    bool signalled = fds[1].revents && ::read(signalFd_, &info, sizeof info) == sizeof info;
    if (reason_.load() == Reason::None) {
      if (signalled) {
        signal_.store(static_cast<int>(info.ssi_signo));
        reason_.store(Reason::Signalled);
      } else if (deadline && Clock::now() >= *deadline) {
        reason_.store(Reason::TimedOut);
      }
    }
    if (reason_.load() != Reason::None) stop_.request();
  }
}

}  // namespace vek
