#include "script/script_stop.h"

#include <angelscript.h>

namespace vek {

void ScriptStop::request() {
  std::lock_guard<std::mutex> lock(mutex_);
  requested_.store(true);
  // Suspending from another thread is what the engine offers for this.
  if (context_) context_->Suspend();
}

void ScriptStop::attach(asIScriptContext* context) {
  std::lock_guard<std::mutex> lock(mutex_);
  context_ = context;
  if (context_ && requested()) context_->Suspend();
}

}  // namespace vek
