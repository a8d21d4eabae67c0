// Scripts nested deeper than the script engine can build without running
// out of stack are refused as a build error; what the engine can build
// still runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "script/script_host.h"
#include "script/script_nesting.h"
#include "script_test_support.h"

namespace vek {
namespace {

using test::ScriptHarness;

// The nesting of code: the smallest limit it stays within.
int nesting(const std::string& code) {
  for (int limit = 0; limit < 200; ++limit) {
    if (!findNestingBeyond(code.data(), code.size(), limit)) return limit;
  }
  return -1;
}

std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string elseIfChain(int links) {
  return "void main() { int a = 1; if (a == 0) {}" + repeat(" else if (a == 0) {}", links) + " }";
}

TEST(ScriptNesting, CountsBracketsStatementsConditionsAndAssignmentsWithinEachOther) {
  struct Case {
    const char* what;
    std::string code;
    int depth;
  };
  const Case cases[] = {
      {"nothing", "", 0},
      {"brackets one after another", "void main() {} int[] a; void f() {}", 1},
      {"calls in an assignment in a block", "void main() { int x = f(g(1)); }", 4},
      {"brackets in comments and strings",
       "// ((((\n/* {{{{ ( */ void main() { string s = \"(((\\\"(((\"; s = '[[['; "
       "s = \"\"\" ((( \"\" ((( \"\"\"; }",
       2},
      {"an unfinished comment", "void main() { } /* ((((", 1},
      {"an unfinished string", "void main() { \"((((", 1},
      {"closers without openers", ")))]]]}}} void main() { ) }", 1},
      {"statements governed by statements",
       "void main() { for (int i = 0; i < 2; i++) while (a) if (b) x(); }", 5},
      {"sequential ifs do not add up",
       "void main() {" + repeat(" if (a) x = 1; else x = 2;", 30) + " }", 3},
      {"do while", "void main() { do x++; while (x < 3); do { y(); } while (z()); }", 4},
      {"switch", "void main() { switch (x) { case 1: y = 2; break; default: break; } }", 4},
      {"assignments nest to the right", "void main() { a = b = c += d; }", 4},
      {"conditions nest to the right", "void main() { x = a ? b : c ? d : e; }", 4},
      {"a comma or a semicolon ends an expression",
       "void f(int a = 1, int b = 2) { int x = 1, y = 2; for (i = 0; i < 2; i = i + 1) {} }", 4},
      {"a statement in a function literal", "void main() { f(function() { if (a) b = 1; }); }",
       5},
  };
  for (const Case& c : cases) EXPECT_EQ(nesting(c.code), c.depth) << c.what;

  // Each link of an else-if chain nests one level deeper, as the engine's
  // parser does.
  EXPECT_EQ(nesting(elseIfChain(40)) - nesting(elseIfChain(10)), 30);
  // The place where the limit is passed: the second '(' of line 2.
  std::string code = "void main() {\n  int x = ((((1))));\n}\n";
  std::optional<ScriptPosition> at = findNestingBeyond(code.data(), code.size(), 3);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->line, 2);
  EXPECT_EQ(at->column, 12);
}

// Each of these crashed the program at a few thousand levels.
TEST(ScriptNesting, TheHostRefusesScriptsNestedTooDeepAsBuildErrors) {
  const int deep = 5000;
  const std::string scripts[] = {
      "int f(int x) { return x; } void main() { int a = " + repeat("f(", deep) + "1" +
          repeat(")", deep) + "; }",
      "void main() { int x = " + repeat("(", deep) + "1" + repeat(")", deep) + "; }",
      "void main() { int a; a" + repeat(" = a", deep * 3) + " = 1; }",
      "void main() { int a = 1; int b = " + repeat("a == 0 ? 1 : ", deep * 2) + "2; }",
      elseIfChain(deep * 3),
  };
  for (const std::string& script : scripts) {
    ScriptHarness harness;
    EXPECT_FALSE(harness.run(script));
    EXPECT_EQ(harness.host->lastRun().outcome, ScriptOutcome::BuildFailed);
    ASSERT_EQ(harness.messages.shown.size(), 1u);
    EXPECT_EQ(harness.messages.shown[0].rfind(kErrorBuildingScript + std::string("\nscript.as:1:"), 0), 0u);
    ASSERT_EQ(harness.host->lastRun().diagnostics.size(), 1u);
    const ScriptDiagnostic& diagnostic = harness.host->lastRun().diagnostics[0];
    EXPECT_EQ(diagnostic.kind, ScriptDiagnostic::Kind::Error);
    EXPECT_EQ(diagnostic.line, 1);
    EXPECT_NE(diagnostic.text.find("nested more than 1000 levels"), std::string::npos);
  }
}

TEST(ScriptNesting, CallsNestedUpToTheLimitStillBuildAndRun) {
  // The block, settile's brackets and the calls: exactly the limit.
  const int calls = kMaxScriptNesting - 2;
  ScriptHarness harness;
  ASSERT_TRUE(harness.run("int f(int x) { return x; }\nvoid main() { settile(1, 1, " +
                          repeat("f(", calls) + "7" + repeat(")", calls) + "); }"));
  EXPECT_EQ(harness.host->lastRun().outcome, ScriptOutcome::Finished);
  EXPECT_EQ(harness.grid->get(1, 1), 7);
}

// Inputs that once crashed the host or read out of bounds; each must end
// its run cleanly.
TEST(ScriptNesting, RegressionScriptsEndTheirRunCleanly) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VEK_SCRIPT_REGRESSIONS)) {
    ScriptHarness harness;
    harness.files.answer(entry.path().string());
    harness.host->runScript();
    EXPECT_NE(harness.host->lastRun().outcome, ScriptOutcome::OpenFailed) << entry.path();
    ++count;
  }
  EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace vek
