// The script "string" type, driven through scripts run by the real engine.

#include <gtest/gtest.h>

#include "script/script_string.h"
#include "script_test_support.h"

namespace vek {
namespace {

using test::ScriptHarness;
using Records = std::vector<std::string>;

TEST(ScriptString, OperationsGiveTheTextsAScriptExpects) {
  struct Case {
    const char* what;
    std::string body;
    Records records;
  };
  const Case cases[] = {
      {"numbers as text follow default stream formatting", R"(
        string s = 255; s += 1; record(s);
        string minusOne = -1; record(minusOne);
        uint allBits = 4294967295; string unsignedText = allBits; record(unsignedText);
        string d;
        d = 0.1; record(d); d = 1.0; record(d); d = 1234567.0; record(d); d = 0.00001; record(d);
        string appended = "v"; appended += 2.5; appended += allBits; appended += -7; record(appended);
      )",
       {"2551", "-1", "4294967295", "0.1", "1", "1.23457e+06", "1e-05", "v2.54294967295-7"}},
      {"numbers join on either side without changing the operand", R"(
        string s = "x";
        record(1 + s); record(s + 1); record(s);
        uint u = 3000000000; record(u + s); record(s + u);
        record(0.5 + s); record(s + 0.5);
        string joined = s + "y"; record(joined); record(s);
      )",
       {"1x", "x1", "x", "3000000000x", "x3000000000", "0.5x", "x0.5", "xy", "x"}},
      {"comparisons use unsigned byte order", R"(
        recordFlag("abc" < "abd"); recordFlag("ab" < "abc"); recordFlag("" < "a");
        recordFlag("Z" < "a"); recordFlag("\xff" > "a"); recordFlag("abd" > "abc");
        recordFlag("abc" <= "abc"); recordFlag("abc" >= "abd"); recordFlag("abc" == "abc");
        recordFlag("abc" != "abc"); recordFlag("abc" == "ab"); recordFlag("abc" < "ab");
      )",
       {"true", "true", "true", "true", "true", "true", "true", "false", "true", "false", "false",
        "false"}},
      {"constants end at their first zero byte; length counts bytes", R"(
        string empty = ""; recordInt(empty.length());
        string cut = "ab\0cd"; recordInt(cut.length()); record(cut);
        string high = "\xc3\xa9"; recordInt(high.length());
        recordInt(("abc" + "de").length());
      )",
       {"0", "2", "ab", "2", "5"}},
      {"values are copied, not shared, also into a function", R"(
        string a = "x"; string b = a; b += "y"; record(a); record(b);
        string c; c = b; c += "z"; record(b); record(c);
        change(b); record(b);
      }
      void change(string t) {
        t += "!"; record(t);
      )",
       {"x", "xy", "xy", "xyz", "xy!", "xy"}},
  };
  for (const Case& c : cases) {
    ScriptHarness harness;
    EXPECT_TRUE(harness.run("void main() {\n" + c.body + "\n}\n")) << c.what;
    EXPECT_EQ(harness.host->lastRun().outcome, ScriptOutcome::Finished) << c.what;
    EXPECT_EQ(harness.records, c.records) << c.what;
  }
}

// A local string used in its own initialiser, before the engine constructed
// it, once crashed the program; now the script stops with an exception.
TEST(ScriptString, AStringUsedInItsOwnInitialiserStopsTheScript) {
  const char* declarations[] = {
      "string s = \"cell \" + s;", "string s = s + \"x\";", "string s = s;",
      "string s = (s = \"x\");", "string s = (s += \"x\");", "string s = \"\" + s.length();",
      "string s = (s == \"x\") ? \"a\" : \"b\";", "string s = (s < \"x\") ? \"a\" : \"b\";",
      "string s = s + 1;", "string s = 1.5 + s;", "string s = (s = 7);", "string s = (s += 7);",
      "string s = m(s);",  // passed by value to a script function
  };
  for (const char* declaration : declarations) {
    ScriptHarness harness;
    EXPECT_TRUE(harness.run(std::string("string m(string t) { message(t); return t; }\n") +
                            "void main() {\n  settile(1, 1, 7);\n  " + declaration +
                            "\n  settile(2, 1, 8);\n  message(s);\n}\n"))
        << declaration;
    const ScriptRunReport& report = harness.host->lastRun();
    EXPECT_EQ(report.outcome, ScriptOutcome::StoppedByException) << declaration;
    EXPECT_EQ(report.exceptionText, kUninitialisedStringException) << declaration;
    EXPECT_EQ(harness.grid->get(1, 1), 7) << declaration;
    EXPECT_EQ(harness.grid->get(2, 1), 0) << declaration;
    // Only the exception's message: m() never ran.
    ASSERT_EQ(harness.messages.shown.size(), 1u) << declaration;
    EXPECT_EQ(harness.messages.shown[0].rfind("Script exception at script.as:4", 0), 0u);
  }
}

}  // namespace
}  // namespace vek
