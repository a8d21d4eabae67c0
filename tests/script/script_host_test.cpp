// One script run: the dialog, reading the file, the failure table, and what
// counts as a run.

#include <angelscript.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "script/script_host.h"
#include "script/script_source.h"
#include "script_test_support.h"

namespace vek {
namespace {

using test::ScriptHarness;
using Records = std::vector<std::string>;

TEST(ScriptHost, FailedStepsShowTheirOneMessageOnceAndDoNotRunTheScript) {
  struct Case {
    const char* name;
    std::function<std::string(ScriptHarness&)> prepare;  // gives the dialog's answer, or ""
    ScriptOutcome outcome;
    Records messages;
  };
  const std::string building =
      "Error building script.  This is probably due to a syntax error in the script";
  const Case cases[] = {
      {"cancel", [](ScriptHarness&) { return std::string(); }, ScriptOutcome::Cancelled, {}},
      {"missing file", [](ScriptHarness& h) { return h.dir.file("missing.as"); },
       ScriptOutcome::OpenFailed, {"Error opening script"}},
      {"folder", [](ScriptHarness& h) {
         std::filesystem::create_directory(h.dir.file("folder.as"));
         return h.dir.file("folder.as");
       },
       ScriptOutcome::OpenFailed, {"Error opening script"}},
      {"unreadable", [](ScriptHarness& h) {
         // A FIFO cannot be a script (and must not block the run).
         std::string path = h.dir.file("fifo.as");
         mkfifo(path.c_str(), 0600);
         return path;
       },
       ScriptOutcome::OpenFailed, {"Error opening script"}},
      {"too large", [](ScriptHarness& h) {
         std::string path = h.dir.file("huge.as");
         test::writeFileBytes(path, "");
         std::filesystem::resize_file(path, kMaxScriptBytes + 1);  // sparse
         return path;
       },
       ScriptOutcome::LoadFailed, {"Error loading script"}},
      {"syntax error", [](ScriptHarness& h) {
         test::writeFileBytes(h.dir.file("bad.as"), "void main() { settile(1, 1, 7) }\n");
         return h.dir.file("bad.as");
       },
       ScriptOutcome::BuildFailed,
       {building + "\nbad.as:1:32: Expected ';'\nbad.as:1:32: Instead found '}'"}},
      // The engine builds nothing from an empty file (read without touching
      // anything past its zero-byte buffer).
      {"empty file", [](ScriptHarness& h) {
         test::writeFileBytes(h.dir.file("empty.as"), "");
         return h.dir.file("empty.as");
       },
       ScriptOutcome::BuildFailed, {building + "\nempty.as: Nothing was built in the module"}},
      {"seven errors: the first five shown", [](ScriptHarness& h) {
         test::writeFileBytes(h.dir.file("many.as"), "void main() {\n a1();\n a2();\n a3();\n"
                                                     " a4();\n a5();\n a6();\n a7();\n}\n");
         return h.dir.file("many.as");
       },
       ScriptOutcome::BuildFailed,
       {building + "\nmany.as:2:2: No matching symbol 'a1'\nmany.as:3:2: No matching symbol 'a2'"
                   "\nmany.as:4:2: No matching symbol 'a3'\nmany.as:5:2: No matching symbol 'a4'"
                   "\nmany.as:6:2: No matching symbol 'a5'\n(2 more errors)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptHarness harness;
    std::string answer = c.prepare(harness);
    if (!answer.empty()) harness.files.answer(answer);
    EXPECT_FALSE(harness.host->runScript());
    EXPECT_EQ(harness.host->lastRun().outcome, c.outcome);
    EXPECT_EQ(harness.messages.shown, c.messages);
    EXPECT_EQ(harness.grid->get(1, 1), 0);
    // The dialog asks for an .as file, starting from an empty name.
    ASSERT_EQ(harness.files.calls.size(), 1u);
    EXPECT_EQ(harness.files.calls[0].title, std::optional<std::string>("Select AngelScript file"));
    EXPECT_EQ(harness.files.calls[0].extension, "as");
    EXPECT_EQ(harness.files.calls[0].initialPath, "");
    EXPECT_EQ(harness.files.calls[0].capacity, 1024u);
  }
}

TEST(ScriptHost, AFailedRegistrationEndsTheRunBeforeTheDialog) {
  ScriptHarness harness;
  ScriptHost::Options options;
  options.registerExtras = [](asIScriptEngine& engine) {
    return engine.RegisterGlobalFunction("void broken(", asFUNCTION(std::abort),
                                          asCALL_CDECL) >= 0;
  };
  ScriptHost host(*harness.grid, Platform{harness.files, harness.messages, harness.fixedPointer},
                  options);
  harness.addScript("void main() { settile(1, 1, 7); }");
  EXPECT_FALSE(host.runScript());
  EXPECT_EQ(host.lastRun().outcome, ScriptOutcome::EngineFailed);
  EXPECT_TRUE(harness.files.calls.empty());
  EXPECT_EQ(harness.messages.shown, Records{"Error adding script to engine."});
  EXPECT_FALSE(host.lastRun().diagnostics.empty());
  EXPECT_EQ(harness.grid->get(1, 1), 0);
}

TEST(ScriptHost, ScriptsWithoutMainStillCountAsARun) {
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"no main", "int helper() { settile(1, 1, 9); return 1; }"},
      {"main of another kind", "int main() { settile(1, 1, 9); return 0; }"},
      {"a global, no final newline", "int unused = 9;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptHarness harness;
    EXPECT_TRUE(harness.run(c.text));
    EXPECT_EQ(harness.host->lastRun().outcome, ScriptOutcome::NoMain);
    EXPECT_TRUE(harness.messages.shown.empty());
    EXPECT_EQ(harness.grid->get(1, 1), 0);
  }
}

TEST(ScriptHost, AnExceptionHalfwayKeepsTheEarlierWritesAndIsReported) {
  ScriptHarness harness;
  EXPECT_TRUE(harness.run("void main() {\n"
                          "  settile(1, 1, 9);\n"
                          "  int zero = 0;\n"
                          "  int never = 1 / zero;\n"
                          "  settile(2, 1, 9);\n"
                          "}\n"));
  const ScriptRunReport& report = harness.host->lastRun();
  EXPECT_EQ(report.outcome, ScriptOutcome::StoppedByException);
  EXPECT_EQ(report.exceptionLine, 4);
  EXPECT_EQ(report.exceptionFunction, "void main()");
  EXPECT_EQ(harness.messages.shown,
            Records{"Script exception at script.as:4 (in void main()): Divide by zero. What the "
                    "script did before it stays."});
  EXPECT_EQ(harness.grid->get(1, 1), 9);
  EXPECT_EQ(harness.grid->get(2, 1), 0);
}

// A stop asked from another thread while the script runs (once it waits in
// getpos, and again every few milliseconds, as vekgen asks), from within
// getpos's wait, or before the run: the run fails with "Script stopped.",
// and the next run goes on as usual.
TEST(ScriptHost, AStopEndsTheScriptWhereverItIs) {
  enum class Asked { FromAnotherThread, InTheWait, BeforeTheRun };
  struct Case {
    const char* name;
    const char* script;
    Asked asked;
  };
  const Case cases[] = {
      {"endless loop", "void main() { int x, y; getpos(x, y); while (true) {} }",
       Asked::FromAnotherThread},
      {"endless recursion", "void f() { f(); }\nvoid main() { int x, y; getpos(x, y); f(); }",
       Asked::FromAnotherThread},
      {"endless loop of a global's initialiser",
       "int forever() { int x, y; getpos(x, y); while (true) {} return 0; }\n"
       "int g = forever();\nvoid main() { settile(1, 1, 9); }",
       Asked::FromAnotherThread},
      {"getpos", "void main() { int x, y; getpos(x, y); settile(1, 1, 9); }", Asked::InTheWait},
      {"before the run", "void main() { settile(1, 1, 9); }", Asked::BeforeTheRun},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptHarness harness;
    std::atomic<bool> ended{false};
    std::thread asker;
    harness.fixedPointer.whileWaiting = [&] {
      if (c.asked == Asked::InTheWait) harness.host->stop().request();
      if (c.asked != Asked::FromAnotherThread || asker.joinable()) return;
      asker = std::thread([&] {
        while (!ended) {
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
          harness.host->stop().request();
        }
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
  std::string path = harness.addScript("int runs = 0;\n"
                                       "void main() { runs++; recordInt(runs); settile(runs, 1, 7); }\n");
  harness.files.answer(path);
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
  // Measured at 100 bytes, 6 left by the time it is read.
  ASSERT_EQ(readScriptBytes(fd, 100, code), ScriptReadResult::Read);
  EXPECT_EQ(std::string(code.data()), "abcdef");
  EXPECT_EQ(code.size(), 7u);
  // Measured at 3 bytes, grown since: only the measured bytes.
  ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
  ASSERT_EQ(readScriptBytes(fd, 3, code), ScriptReadResult::Read);
  EXPECT_EQ(std::string(code.data()), "abc");
  EXPECT_EQ(code.size(), 4u);
  ::close(fd);
  // A descriptor that cannot be read.
  EXPECT_EQ(readScriptBytes(-1, 10, code), ScriptReadResult::LoadFailed);
  EXPECT_TRUE(code.empty());
}

}  // namespace
}  // namespace vek
