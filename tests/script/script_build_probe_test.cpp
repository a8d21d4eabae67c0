// Scripts on which the engine's compiler crashes are refused as build
// errors, because the first build runs in a child process; for every other
// script the child changes nothing the user sees.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "script_test_support.h"

namespace vek {
namespace {

using test::ScriptHarness;

bool mentions(const std::vector<ScriptDiagnostic>& diagnostics, const std::string& part) {
  return std::any_of(diagnostics.begin(), diagnostics.end(), [&](const ScriptDiagnostic& d) {
    return d.text.find(part) != std::string::npos;
  });
}

// Each of these aborted the program in the engine's compiler.
TEST(ScriptBuildProbe, ScriptsThatCrashTheCompilerAreRefusedAsBuildErrors) {
  struct Case {
    const char* script;
    bool errorReportedFirst;  // the compiler says what is wrong before it breaks down
  };
  const Case cases[] = {
      {"void main() { int b = \"a\" | 1; }", true},
      {"void main() { if (\"a\" & 1) {} }", true},
      {"void main() { int b = 1 ^ \"a\"; }", true},
      {"const int c = \"x\" | 2;\nvoid main() {}", false},
  };
  for (const auto& [script, errorReportedFirst] : cases) {
    ScriptHarness harness;
    EXPECT_FALSE(harness.run(script)) << script;
    const ScriptRunReport& report = harness.host->lastRun();
    EXPECT_EQ(report.outcome, ScriptOutcome::BuildFailed) << script;
    ASSERT_EQ(harness.messages.shown.size(), 1u) << script;
    EXPECT_EQ(harness.messages.shown[0].rfind(kErrorBuildingScript, 0), 0u) << script;
    // What the compiler said before it broke down, then why the build failed.
    EXPECT_EQ(mentions(report.diagnostics, "No conversion from 'const string'"),
              errorReportedFirst)
        << script;
    ASSERT_FALSE(report.diagnostics.empty());
    EXPECT_NE(report.diagnostics.back().text.find("broke down"), std::string::npos) << script;
  }
}

TEST(ScriptBuildProbe, TheChildRunsNoInitialiserAndRepeatsNoDiagnostic) {
  ScriptHarness harness;
  ASSERT_TRUE(harness.run(
      "int shown = show();\n"
      "int show() { message(\"init\"); settile(1, 1, gettile(1, 1) + 1); return 1; }\n"
      "void main() { uint unused = -1; }\n"));
  EXPECT_EQ(harness.messages.shown, std::vector<std::string>{"init"});
  EXPECT_EQ(harness.grid->get(1, 1), 1);

  ScriptHarness failing;
  EXPECT_FALSE(failing.run("void main() {\n  x = 1;\n  y = 2;\n}\n"));
  std::multiset<std::string> seen;
  for (const ScriptDiagnostic& d : failing.host->lastRun().diagnostics) {
    seen.insert(std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.text);
  }
  for (const std::string& text : seen) EXPECT_EQ(seen.count(text), 1u) << text;
  EXPECT_EQ(failing.host->lastRun().diagnostics.size(), 3u);  // a note and two errors
}

}  // namespace
}  // namespace vek
