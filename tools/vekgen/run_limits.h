#pragma once

// What stops a vekgen run from outside: its time limit (--timeout) and the
// signals SIGINT and SIGTERM. Both stop the script through the host, so
// nothing is written; a signal that comes while the maps are being written
// lets the write (all or nothing) finish first.

#include <signal.h>

#include <atomic>
#include <optional>
#include <thread>

#include "script/script_stop.h"

namespace vek {

class RunLimits {
 public:
  enum class Reason { None, TimedOut, Signalled };

  // Blocks SIGINT and SIGTERM in the calling thread (the program's only
  // one) and watches for them, and for the end of timeoutSeconds, from a
  // thread of its own that then asks stop to stop the script, and asks
  // again every 100 ms (a request can fall between two of the engine's
  // steps). Without a limit only the signals are watched.
  RunLimits(ScriptStop& stop, std::optional<double> timeoutSeconds);
  // Ends the watch and restores the signal mask.
  ~RunLimits();
  RunLimits(const RunLimits&) = delete;
  RunLimits& operator=(const RunLimits&) = delete;

  // Why the script was stopped, if it was; the signal's number.
  Reason reason() const { return reason_.load(); }
  int signal() const { return signal_.load(); }

 private:
  void watch(std::optional<double> timeoutSeconds);

  ScriptStop& stop_;
  sigset_t watched_;
  sigset_t maskBefore_;
  int signalFd_ = -1;
  int wakeFd_ = -1;
  std::atomic<Reason> reason_{Reason::None};
  std::atomic<int> signal_{0};
  std::thread watcher_;
};

}  // namespace vek
