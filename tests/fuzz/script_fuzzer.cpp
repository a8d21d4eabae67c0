// Scripts from anywhere: the bytes are the script file that the host reads,
// builds and runs, with the string type and the five map functions, through
// scripted platform services (a dialog that always picks the file, a
// message box that shows nothing, a fixed click). Every context the engine
// uses (main's and the one for the globals' initialisers) runs under a
// budget, so an endless loop or an ever-doubling string ends the run
// instead of the fuzzer: at most kStatementBudget statements, and no
// statement starts once the heap holds kMemoryBudget more bytes than when
// the script's first statement started (the engine and the built module
// are not counted).
#include <angelscript.h>
#include <fcntl.h>
#include <sanitizer/allocator_interface.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "platform/platform.h"
#include "script/script_grid.h"
#include "script/script_host.h"

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

class FuzzFileDialog : public vek::FileDialog {
 public:
  explicit FuzzFileDialog(std::string path) : path_(std::move(path)) {}
  bool chooseFile(const char*, const char*, char* path, std::size_t capacity) override {
    require(path_.size() < capacity, "the script path fits the dialog's buffer");
    std::memcpy(path, path_.c_str(), path_.size() + 1);
    return true;
  }

 private:
  std::string path_;
};

class SilentMessageBox : public vek::MessageBox {
 public:
  void showMessage(const char* text) override { require(text != nullptr, "messages have text"); }
};

// The click of a user on map cell (10, 5).
class FixedPointer : public vek::PointerWait {
 public:
  void waitForLeftClick(int width, int height, int* x, int* y) override {
    require(width > 0 && height > 0, "getpos waits for a click inside an area");
    *x = 10 * 18 + 3;
    *y = 5 * 20 + 3;
  }
};

// The folder of the script file, made at start-up and removed at exit. A
// plain array, so that it outlives every static destructor.
char scriptFolder[4096];

void removeScriptFolder() {
  std::string folder = scriptFolder;
  ::unlink((folder + "/fuzz.as").c_str());
  ::rmdir(folder.c_str());
}

std::string scriptPath() {
  if (!scriptFolder[0]) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vek-fuzz-script-XXXXXX";
    require(pattern.size() < sizeof scriptFolder && ::mkdtemp(pattern.data()) != nullptr,
            "a folder for the script file");
    std::memcpy(scriptFolder, pattern.c_str(), pattern.size() + 1);
    std::atexit(removeScriptFolder);
  }
  return std::string(scriptFolder) + "/fuzz.as";
}

void writeScript(const std::string& path, const std::uint8_t* data, std::size_t size) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  require(fd >= 0, "the script file opens");
  std::size_t written = 0;
  while (written < size) {
    ssize_t n = ::write(fd, data + written, size - written);
    require(n > 0, "the script file is written");
    written += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = scriptPath();
  static vek::ScriptGrid grid;
  writeScript(path, data, size);

  FuzzFileDialog files(path);
  SilentMessageBox messages;
  FixedPointer pointer;
  vek::Platform platform{files, messages, pointer};
  vek::ScriptHost::Options options;
  options.registerExtras = [](asIScriptEngine& engine) {
    return engine.SetContextCallbacks(requestContext, returnContext) >= 0;
  };
  vek::ScriptHost host(grid, platform, options);

  budget.statementsLeft = kStatementBudget;
  budget.memoryCeiling = 0;
  host.runScript();
  require(host.lastRun().outcome != vek::ScriptOutcome::Cancelled &&
              host.lastRun().outcome != vek::ScriptOutcome::OpenFailed,
          "the host reads the script it was given");
  return 0;
}
