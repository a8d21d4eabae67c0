// Scripts from anywhere, built and run through the platform fakes; every
// context runs under a statement and heap budget so no run is endless.
#include <angelscript.h>
#include <sanitizer/allocator_interface.h>

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform_fakes.h"
#include "script/script_grid.h"
#include "script/script_host.h"
#include "temp_dir.h"

namespace {

// Small enough that one statement joining a few thousand copies of a string
// this long still stays far below the fuzzer's memory limit.
constexpr std::size_t kMemoryBudget = std::size_t{256} << 10;
int statementsLeft = 0;
std::size_t memoryCeiling = 0;  // set at the run's first statement

void onLine(asIScriptContext* context, void*) {
  std::size_t allocated = __sanitizer_get_current_allocated_bytes();
  if (memoryCeiling == 0) memoryCeiling = allocated + kMemoryBudget;
  if (--statementsLeft < 0 || allocated > memoryCeiling) context->Abort();
}

asIScriptContext* requestContext(asIScriptEngine* engine, void*) {
  asIScriptContext* context = engine->CreateContext();
  if (context) context->SetLineCallback(asFUNCTION(onLine), nullptr, asCALL_CDECL);
  return context;
}

void returnContext(asIScriptEngine*, asIScriptContext* context, void*) { context->Release(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const vek::test::TempDir folder;
  static vek::ScriptGrid grid;
  const std::string path = folder.file("fuzz.as");
  const std::string script(reinterpret_cast<const char*>(data), size);
  vek::fuzz::require(vek::test::writeFileBytes(path, script), "the script file is written");

  vek::test::FakePlatform fakes;
  fakes.files.answer(path);  // a click waited for lands on map cell (0, 0)
  vek::ScriptHost::Options options;
  options.registerExtras = [](asIScriptEngine& engine) {
    return engine.SetContextCallbacks(requestContext, returnContext) >= 0;
  };
  vek::ScriptHost host(grid, fakes.platform, options);
  statementsLeft = 20000;
  memoryCeiling = 0;
  host.runScript();
  const vek::ScriptOutcome outcome = host.lastRun().outcome;
  vek::fuzz::require(outcome != vek::ScriptOutcome::Cancelled, "the host reads the script given");
  vek::fuzz::require(outcome != vek::ScriptOutcome::OpenFailed, "the host opens the script given");
  return 0;
}
