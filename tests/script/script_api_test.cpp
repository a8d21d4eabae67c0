// What a script sees: the five functions, the "string" type, and the
// nesting the host lets through, driven through scripts run by the real
// engine on a grid of the test's own; and getpos's wait on Allegro.

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "headless_allegro.h"
#include "platform/allegro_pointer_wait.h"
#include "script/script_nesting.h"
#include "script/script_string.h"
#include "script_test_support.h"

namespace vek {
namespace {

using test::repeat;
using test::ScriptHarness;
using Records = std::vector<std::string>;

TEST(ScriptApi, SettileAndGettileStayInsideTheGridAndMessageShowsTheTextUnchanged) {
  ScriptHarness harness;
  harness.grid->set(1, 480, 44);
  harness.grid->set(2, 1, 99);  // kept: 256 and -1 are no codes
  ASSERT_TRUE(harness.run(R"(void main() {
    settile(960, 480, 255);
    settile(1, 1, 0);
    settile(0, 1, 5); settile(1, 0, 5); settile(961, 1, 5); settile(1, 481, 5);
    settile(2, 1, 256); settile(2, 1, -1); settile(-2147483648, 1, 5);
    settile(48, 24, 200); settile(49, 25, 10);
    recordInt(gettile(48, 24)); recordInt(gettile(960, 480)); recordInt(gettile(1, 480));
    recordInt(gettile(961, 1)); recordInt(gettile(1, 0)); recordInt(gettile(0, 1));
    recordInt(gettile(1, 481)); recordInt(gettile(2147483647, -2147483648));
    message("100% done: %s %d %n %%"); message(""); message("line one\nline two");
  })"));
  EXPECT_EQ(harness.messages.shown, (Records{"100% done: %s %d %n %%", "", "line one\nline two"}));
  EXPECT_EQ(harness.records, (Records{"200", "255", "44", "0", "0", "0", "0", "0"}));
  std::string set;
  for (int y = 1; y <= ScriptGrid::kHeight; ++y)
    for (int x = 1; x <= ScriptGrid::kWidth; ++x)
      if (int code = harness.grid->get(x, y))
        set += std::to_string(x) + "," + std::to_string(y) + "=" + std::to_string(code) + " ";
  EXPECT_EQ(set, "2,1=99 48,24=200 49,25=10 1,480=44 960,480=255 ");
}

TEST(ScriptApi, RandCoversZeroTo32767AndGetposGivesTheCellOfTheClick) {
  ScriptHarness harness;
  ASSERT_TRUE(harness.run(R"(void main() {
    int lowest = 2147483647, highest = -2147483648;
    for (int i = 0; i < 200000; i++) {
      int r = rand();
      if (r < lowest) lowest = r;
      if (r > highest) highest = r;
    }
    // 200,000 draws of a uniform 0..32767 reach close to both ends.
    recordFlag(lowest >= 0); recordFlag(lowest < 100);
    recordFlag(highest > 32667); recordFlag(highest <= 32767);
  })"));
  EXPECT_EQ(harness.records, (Records{"true", "true", "true", "true"}));

  const int clicks[][2] = {{0, 0}, {17, 19}, {18, 20}, {863, 479}, {100, 250}};
  harness.records.clear();
  for (const auto& click : clicks) {
    harness.fixedPointer.pixelX = click[0];
    harness.fixedPointer.pixelY = click[1];
    ASSERT_TRUE(harness.run("void main() { int x, y; getpos(x, y); record(x + \",\" + y); }"));
  }
  EXPECT_EQ(harness.records, (Records{"1,1", "1,1", "2,2", "48,24", "6,13"}));
  EXPECT_EQ(harness.fixedPointer.calls, 5);
  EXPECT_EQ(harness.fixedPointer.lastWidth * 1000 + harness.fixedPointer.lastHeight, 864480);
}

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
        string appended = "v"; appended += 2.5; appended += allBits; appended += -7;
        record(appended);
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
      "string s = \"cell \" + s += 1;", "string s = s + \"x\";", "string s = s;",
      "string s = (s = \"x\");", "string s = (s += \"x\");", "string s = \"\" + s.length();",
      "string s = (s == \"x\") ? \"a\" : \"b\";", "string s = (s < \"x\") ? \"a\" : \"b\";",
      "string s = s + 1;", "string s = 1.5 + s;", "string s = (s = 7);", "string s = (s += 7);",
      "string s = m(s);",  // passed by value to a script function
  };
  for (const char* declaration : declarations) {
    SCOPED_TRACE(declaration);
    ScriptHarness harness;
    EXPECT_TRUE(harness.run(std::string("string m(string t) { message(t); return t; }\n") +
                            "void main() {\n  settile(1, 1, 7);\n  " + declaration +
                            "\n  settile(2, 1, 8);\n  message(s);\n}\n"));
    const ScriptRunReport& report = harness.host->lastRun();
    EXPECT_EQ(report.outcome, ScriptOutcome::StoppedByException);
    EXPECT_EQ(report.exceptionText, kUninitialisedStringException);
    EXPECT_EQ(harness.grid->get(1, 1) * 1000 + harness.grid->get(2, 1), 7000);
    // Only the exception's message: m() never ran.
    ASSERT_EQ(harness.messages.shown.size(), 1u);
    EXPECT_EQ(harness.messages.shown[0].rfind("Script exception at script.as:4", 0), 0u);
  }
}

// The nesting of code: the smallest limit it stays within.
int nesting(const std::string& code) {
  for (int limit = 0; limit < 200; ++limit) {
    if (!findNestingBeyond(code.data(), code.size(), limit)) return limit;
  }
  return -1;
}

TEST(ScriptNesting, CountsBracketsStatementsConditionsAndAssignmentsWithinEachOther) {
  const std::string elseIf = " else if (a == 0) {}";
  const struct {
    const char* what;
    std::string code;
    int depth;
  } cases[] = {
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
      // Each link of an else-if chain nests one level deeper, as the
      // engine's parser does.
      {"else-if links", "void main() { if (a == 0) {}" + repeat(elseIf, 30) + " }", 33},
  };
  for (const auto& c : cases) EXPECT_EQ(nesting(c.code), c.depth) << c.what;

  // The place where the limit is passed: the second '(' of line 2.
  std::string code = "void main() {\n  int x = ((((1))));\n}\n";
  std::optional<ScriptPosition> at = findNestingBeyond(code.data(), code.size(), 3);
  ASSERT_TRUE(at);
  EXPECT_EQ(std::pair(at->line, at->column), std::pair(2, 12));
}

// getpos's wait runs headless: the screen is a memory bitmap, and the test
// moves the pointer by setting Allegro's mouse globals before each reading.
struct MouseState {
  int x, y, buttons;
};

// Plays one state per reading; after the last, a click at (1, 1) ends a
// wait that should have ended.
struct MouseScript {
  void nextPass() {
    std::size_t index = static_cast<std::size_t>(passes++);
    MouseState state = index < states.size() ? states[index] : MouseState{1, 1, 1};
    test::putMouse(state.x, state.y, state.buttons);
  }
  std::vector<MouseState> states;
  int passes = 0;
};

// A 1000 x 700 screen for each case; the wait ends at the first reading
// with the left button down inside the area. The frozen frame covers
// whatever is drawn on the screen meanwhile (the pointer moves at each
// reading); when no snapshot can be made
// (an unknown colour depth fails every new bitmap), the wait still ends at
// the click and the screen shows what was drawn last.
TEST(AllegroPointerWait, EndsAtALeftClickInsideTheAreaOverTheFrozenFrame) {
  const struct {
    const char* name;
    std::vector<MouseState> states;
    int passes, x, y;
    int depth = 32;
  } cases[] = {
      {"last pixel of the area", {{863, 479, 1}}, 1, 863, 479},
      {"first pixel", {{0, 0, 1}}, 1, 0, 0},
      {"both buttons", {{40, 30, 3}}, 1, 40, 30},
      {"outside, up, other buttons, then a click",
       {{864, 10, 1}, {10, 480, 1}, {-1, 5, 1}, {5, -1, 1}, {100, 100, 0}, {101, 100, 2},
        {102, 100, 4}, {101, 102, 1}},
       8, 101, 102},
      {"held while moving in from outside", {{900, 100, 1}, {870, 100, 1}, {860, 100, 1}}, 3, 860,
       100},
      {"no snapshot", {{900, 10, 1}, {901, 10, 0}, {20, 40, 1}}, 3, 20, 40, 13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::useColorDepth(32);
    const int frame = makecol32(10, 120, 200), paint = makecol32(250, 20, 20);
    screen = create_bitmap(1000, 700);
    clear_to_color(screen, frame);
    set_color_depth(c.depth);
    std::vector<int> seen;
    MouseScript mouse{c.states};
    AllegroPointerWait wait([&] {
      seen.push_back(getpixel(screen, 500, 600));
      clear_to_color(screen, paint);
      mouse.nextPass();
    });
    int x = -1, y = -1;
    wait.waitForLeftClick(864, 480, &x, &y, {});
    set_color_depth(32);
    destroy_bitmap(screen);
    screen = nullptr;
    test::resetInput();
    EXPECT_EQ((std::vector<int>{mouse.passes, x, y}), (std::vector<int>{c.passes, c.x, c.y}));
    std::vector<int> shown(c.passes, c.depth == 32 ? frame : paint);
    shown[0] = frame;
    EXPECT_EQ(seen, shown);
  }
}

}  // namespace
}  // namespace vek
