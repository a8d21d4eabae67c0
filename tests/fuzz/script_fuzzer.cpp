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

using vek::fuzz::require;

constexpr int kStatementBudget = 20000;
// Small enough that one statement joining a few thousand copies of a string
// this long still stays far below the fuzzer's memory limit.
constexpr std::size_t kMemoryBudget = std::size_t{256} << 10;

struct Budget {
  int statementsLeft = 0;
  std::size_t memoryCeiling = 0;
};

Budget budget;

void onLine(asIScriptContext* context, void*) {
  std::size_t allocated = __sanitizer_get_current_allocated_bytes();
  if (budget.memoryCeiling == 0) budget.memoryCeiling = allocated + kMemoryBudget;
  if (--budget.statementsLeft < 0 || allocated > budget.memoryCeiling) {
    context->Abort();
  }
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
  require(vek::test::writeFileBytes(path, std::string(reinterpret_cast<const char*>(data), size)),
          "the script file is written");

  vek::test::FakePlatform fakes;
  fakes.files.answer(path);
  fakes.pointer.pixelX = 10 * 18 + 3;  // the click of a user on map cell (10, 5)
  fakes.pointer.pixelY = 5 * 20 + 3;
  vek::ScriptHost::Options options;
  options.registerExtras = [](asIScriptEngine& engine) {
    return engine.SetContextCallbacks(requestContext, returnContext) >= 0;
  };
  vek::ScriptHost host(grid, fakes.platform, options);

  budget.statementsLeft = kStatementBudget;
  budget.memoryCeiling = 0;
  host.runScript();
  require(host.lastRun().outcome != vek::ScriptOutcome::Cancelled &&
              host.lastRun().outcome != vek::ScriptOutcome::OpenFailed,
          "the host reads the script it was given");
  return 0;
}
