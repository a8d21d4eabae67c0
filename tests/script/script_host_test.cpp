// One script run through the real host and engine: the dialog, reading the
// file, building (nesting too deep, the compiler breaking down), running,
// what counts as a run, the one message each failure shows, and a stop.

#include <angelscript.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "script/script_api.h"
#include "script/script_nesting.h"
#include "script/script_source.h"
#include "script/script_string.h"
#include "script_test_support.h"

namespace vek {
namespace {

using test::repeat;
using test::ScriptHarness;
using Records = std::vector<std::string>;

TEST(ScriptHost, EachRunEndsWithItsOutcomeItsOneMessageAndTheCellsItSetBeforeAnyFailure) {
  enum Answer { Text, Cancel, Missing, Folder, Fifo, Huge };
  struct Case {
    const char* name;
    std::string script;
    ScriptOutcome outcome;
    std::string message;  // the one message shown, if any
    std::vector<int> cells = {0, 0};  // cells (1,1) and (2,1) afterwards
    Answer answer = Text;
  };
  const std::string buildError =
      "Error building script.  This is probably due to a syntax error in the script";
  const std::string building = buildError + "\nscript.as";
  const std::string tooDeep = ": nested more than 1000 levels deep here (brackets, statements, "
                              "conditions and assignments within each other); the script "
                              "engine cannot build that";
  const std::string brokeDown = "\nscript.as: the script engine broke down while building this "
                                "script (a fault of the engine that the errors above may have "
                                "led to)";
  const int deep = 5000, calls = kMaxScriptNesting - 2;  // the block and settile's brackets
  const std::string f = "int f(int x) { return x; }\n";
  const Case cases[] = {
      {"cancel", "", ScriptOutcome::Cancelled, "", {0, 0}, Cancel},
      {"missing file", "", ScriptOutcome::OpenFailed, "Error opening script", {0, 0}, Missing},
      {"folder", "", ScriptOutcome::OpenFailed, "Error opening script", {0, 0}, Folder},
      {"FIFO", "", ScriptOutcome::OpenFailed, "Error opening script", {0, 0}, Fifo},
      {"too large", "", ScriptOutcome::LoadFailed, "Error loading script", {0, 0}, Huge},
      {"syntax error", "void main() { settile(1, 1, 7) }\n", ScriptOutcome::BuildFailed,
       building + ":1:32: Expected ';'\nscript.as:1:32: Instead found '}'"},
      {"empty file", "", ScriptOutcome::BuildFailed,
       building + ": Nothing was built in the module"},
      {"seven errors (each once, not also from the trial build): the first five shown",
       "void main() {\n a1();\n a2();\n a3();\n a4();\n a5();\n a6();\n a7();\n}\n",
       ScriptOutcome::BuildFailed,
       building + ":2:2: No matching symbol 'a1'\nscript.as:3:2: No matching symbol 'a2'"
                  "\nscript.as:4:2: No matching symbol 'a3'\nscript.as:5:2: No matching symbol "
                  "'a4'\nscript.as:6:2: No matching symbol 'a5'\n(2 more errors)"},
      {"calls nested too deep",
       f + "void main() { int a = " + repeat("f(", deep) + "1" + repeat(")", deep) + "; }",
       ScriptOutcome::BuildFailed, building + ":2:2020" + tooDeep},
      {"an else-if chain too long",
       "void main() { int a = 1; if (a == 0) {}" + repeat(" else if (a == 0) {}", deep) + " }",
       ScriptOutcome::BuildFailed, building + ":1:19989" + tooDeep},
      {"calls nested up to the limit",
       f + "void main() { settile(1, 1, " + repeat("f(", calls) + "7" + repeat(")", calls) + "); }",
       ScriptOutcome::Finished, "", {7, 0}},
      {"the compiler breaks down after an error", "void main() { int b = \"a\" | 1; }",
       ScriptOutcome::BuildFailed,
       building + ":1:27: No conversion from 'const string' to 'int' available." + brokeDown},
      {"the compiler breaks down at once", "const int c = \"x\" | 2;\nvoid main() {}",
       ScriptOutcome::BuildFailed, buildError + brokeDown},
      {"no main", "int helper() { settile(1, 1, 9); return 1; }", ScriptOutcome::NoMain, ""},
      {"main of another kind", "int main() { settile(1, 1, 9); return 0; }",
       ScriptOutcome::NoMain, ""},
      {"a global, no final newline", "int unused = 9;", ScriptOutcome::NoMain, ""},
      {"an initialiser runs once, not also in the trial build",
       "int shown = show();\nint show() { message(\"init\"); settile(1, 1, gettile(1, 1) + 1); "
       "return 1; }\nvoid main() { uint unused = -1; }\n",
       ScriptOutcome::Finished, "init", {1, 0}},
      {"an exception halfway",
       "void main() {\n  settile(1, 1, 9);\n  int zero = 0;\n  int never = 1 / zero;\n"
       "  settile(2, 1, 9);\n}\n",
       ScriptOutcome::StoppedByException,
       "Script exception at script.as:4 (in void main()): Divide by zero. What the script did "
       "before it stays.", {9, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptHarness harness;
    const std::string path = harness.dir.file("script.as");
    if (c.answer == Text || c.answer == Huge) test::writeFileBytes(path, c.script);
    if (c.answer == Huge) std::filesystem::resize_file(path, kMaxScriptBytes + 1);  // sparse
    if (c.answer == Folder) std::filesystem::create_directory(path);
    if (c.answer == Fifo) mkfifo(path.c_str(), 0600);  // must not block the run either
    if (c.answer != Cancel) harness.files.answer(path);
    const bool counts = c.outcome == ScriptOutcome::Finished ||
                        c.outcome == ScriptOutcome::NoMain ||
                        c.outcome == ScriptOutcome::StoppedByException;
    EXPECT_EQ(harness.host->runScript(), counts);
    EXPECT_EQ(harness.host->lastRun().outcome, c.outcome);
    EXPECT_EQ(harness.messages.shown, c.message.empty() ? Records{} : Records{c.message});
    EXPECT_EQ((std::vector<int>{harness.grid->get(1, 1), harness.grid->get(2, 1)}), c.cells);
    // The dialog asks for an .as file, starting from an empty name.
    ASSERT_EQ(harness.files.calls.size(), 1u);
    EXPECT_EQ(harness.files.calls[0].title, std::optional<std::string>("Select AngelScript file"));
    EXPECT_EQ(harness.files.calls[0].extension + harness.files.calls[0].initialPath, "as");
    EXPECT_EQ(harness.files.calls[0].capacity, 1024u);
  }
}

TEST(ScriptHost, AFailedRegistrationEndsTheRunBeforeTheDialog) {
  ScriptHarness harness;
  ScriptHost::Options options;
  options.registerExtras = [](asIScriptEngine& engine) {
    return engine.RegisterGlobalFunction("void broken(", asFUNCTION(std::abort), asCALL_CDECL) >= 0;
  };
  ScriptHost host(*harness.grid, Platform{harness.files, harness.messages, harness.fixedPointer},
                  options);
  harness.addScript("void main() { settile(1, 1, 7); }");
  EXPECT_FALSE(host.runScript());
  EXPECT_EQ(host.lastRun().outcome, ScriptOutcome::EngineFailed);
  EXPECT_TRUE(harness.files.calls.empty());
  EXPECT_EQ(harness.messages.shown, Records{"Error adding script to engine."});
  EXPECT_EQ(harness.grid->get(1, 1), 0);

  // The script functions' own registrations are checked too.
  ScriptStop stop;
  ScriptApi api(*harness.grid, harness.messages, harness.fixedPointer, stop);
  asIScriptEngine* bare = asCreateScriptEngine(ANGELSCRIPT_VERSION);
  EXPECT_FALSE(api.registerWith(*bare));  // message(string) needs the type
  bare->ShutDownAndRelease();
  asIScriptEngine* engine = asCreateScriptEngine(ANGELSCRIPT_VERSION);
  EXPECT_TRUE(registerScriptString(*engine) && api.registerWith(*engine));
  EXPECT_FALSE(registerScriptString(*engine));  // the same type again
  EXPECT_FALSE(api.registerWith(*engine));      // the same functions again
  engine->ShutDownAndRelease();
}

// A stop asked from another thread while the script runs (once it waits in
// getpos, and again every few milliseconds, as vekgen asks), from within
// getpos's wait, or before the run: the run fails with "Script stopped.",
// and the next run goes on as usual.
TEST(ScriptHost, AStopEndsTheScriptWhereverItIs) {
  enum class Asked { FromAnotherThread, InTheWait, BeforeTheRun };
  const struct {
    const char* script;
    Asked asked;
  } cases[] = {
      {"void main() { int x, y; getpos(x, y); while (true) {} }", Asked::FromAnotherThread},
      {"int forever() { int x, y; getpos(x, y); while (true) {} return 0; }\n"
       "int g = forever();\nvoid main() { settile(1, 1, 9); }",
       Asked::FromAnotherThread},
      {"void main() { int x, y; getpos(x, y); settile(1, 1, 9); }", Asked::InTheWait},
      {"void main() { settile(1, 1, 9); }", Asked::BeforeTheRun},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    ScriptHarness harness;
    std::atomic<bool> ended{false};
    std::thread asker;
    harness.fixedPointer.whileWaiting = [&] {
      if (c.asked == Asked::InTheWait) harness.host->stop().request();
      if (c.asked != Asked::FromAnotherThread || asker.joinable()) return;
      asker = std::thread([&] {
        for (; !ended; std::this_thread::sleep_for(std::chrono::milliseconds(5)))
          harness.host->stop().request();
      });
    };
    if (c.asked == Asked::BeforeTheRun) harness.host->stop().request();
    EXPECT_FALSE(harness.run(c.script));
    ended = true;
    if (asker.joinable()) asker.join();
    harness.host->stop().reset();  // the asker's last request may come after the run
    EXPECT_EQ(harness.host->lastRun().outcome, ScriptOutcome::Stopped);
    EXPECT_EQ(harness.messages.shown, Records{"Script stopped."});
    EXPECT_EQ(harness.grid->get(1, 1), 0);
    EXPECT_TRUE(harness.run("void main() { settile(2, 1, 5); }"));
    EXPECT_EQ(harness.grid->get(2, 1), 5);
  }
}

TEST(ScriptHost, EachRunStartsFromAFreshEngineButTheGridKeepsItsContent) {
  ScriptHarness harness;
  harness.files.answer(harness.addScript(
      "int runs = 0;\nvoid main() { runs++; recordInt(runs); settile(runs, 1, 7); }\n"));
  EXPECT_TRUE(harness.host->runScript());
  EXPECT_TRUE(harness.host->runScript());
  EXPECT_EQ(harness.grid->get(2, 1), 0);
  ASSERT_TRUE(harness.run("void main() { settile(500, 300, 42); }"));
  ASSERT_TRUE(harness.run("void main() { recordInt(gettile(500, 300)); }"));
  EXPECT_EQ(harness.records, (Records{"1", "1", "42"}));
}

TEST(ScriptSource, AFileThatChangedSizeSinceItWasMeasuredIsReadWithinTheBuffer) {
  test::TempDir dir;
  test::writeFileBytes(dir.file("a.as"), "abcdef");
  int fd = ::open(dir.file("a.as").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ScriptCode code;
  // Measured at 100 bytes, 6 left by the time it is read; then measured at
  // 3 bytes, grown since: only the measured bytes.
  ASSERT_EQ(readScriptBytes(fd, 100, code), ScriptReadResult::Read);
  EXPECT_EQ(std::string(code.begin(), code.end()), std::string("abcdef", 7));
  ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
  ASSERT_EQ(readScriptBytes(fd, 3, code), ScriptReadResult::Read);
  EXPECT_EQ(std::string(code.begin(), code.end()), std::string("abc", 4));
  ::close(fd);
  EXPECT_EQ(readScriptBytes(-1, 10, code), ScriptReadResult::LoadFailed);
  EXPECT_TRUE(code.empty());
}

}  // namespace
}  // namespace vek
