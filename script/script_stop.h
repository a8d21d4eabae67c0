#pragma once

// Stopping a running script from outside it: the editor's Escape and close
// button, vekgen's time limit and signals. The request may come from any
// thread. It suspends the context that runs the script (the engine looks
// for that at every loop iteration and call, which costs a script nothing
// while no stop is asked; a line callback would cost each iteration about as
// much again as an empty loop's). A request that comes before the run, or
// between its steps, stops it before its next step; only one that falls in
// the instant between two of the globals' initialisers may pass unseen by
// the next, so the askers ask again (the editor at every Escape and click
// of the close button, vekgen every 100 ms).

#include <atomic>
#include <mutex>

class asIScriptContext;

namespace vek {

class ScriptStop {
 public:
  // Any thread: the running script ends at its next loop iteration or call
  // (or once the host function it is in returns).
  void request();
  bool requested() const { return requested_.load(std::memory_order_relaxed); }
  // Forgets a request; the host does so after each run.
  void reset() { requested_.store(false); }

  // The host: the context about to execute script code (prepared already,
  // since preparing forgets a suspension), which a request suspends; null
  // once it has returned.
  void attach(asIScriptContext* context);

 private:
  std::mutex mutex_;
  asIScriptContext* context_ = nullptr;
  std::atomic<bool> requested_{false};
};

// Watches, while a script is built and run, for what should stop it.
class StopWatch {
 public:
  virtual ~StopWatch() = default;
  virtual void watch(ScriptStop& stop) = 0;
  virtual void unwatch() = 0;
};

}  // namespace vek
