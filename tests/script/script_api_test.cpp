// The five functions a script sees, driven through scripts run by the real
// engine on a grid of the test's own.

#include <angelscript.h>
#include <gtest/gtest.h>

#include "script/script_api.h"
#include "script/script_string.h"
#include "script_test_support.h"

namespace vek {
namespace {

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
  EXPECT_EQ(harness.messages.shown, (Records{"100% done: %s %d %n %%", "", "line one\nline two"}))
      << "message shows the text unchanged";
  EXPECT_EQ(harness.records, (Records{"200", "255", "44", "0", "0", "0", "0", "0"}));
  ScriptGrid expected;
  expected.set(960, 480, 255);
  expected.set(48, 24, 200);
  expected.set(49, 25, 10);
  expected.set(1, 480, 44);
  expected.set(2, 1, 99);
  for (int y = 1; y <= ScriptGrid::kHeight; ++y)
    for (int x = 1; x <= ScriptGrid::kWidth; ++x)
      ASSERT_EQ(harness.grid->get(x, y), expected.get(x, y)) << "cell " << x << "," << y;
}

TEST(ScriptApi, RandStaysWithinZeroTo32767AndCoversTheRange) {
  ScriptHarness harness;
  ASSERT_TRUE(harness.run(R"(void main() {
    int lowest = 2147483647;
    int highest = -2147483648;
    for (int i = 0; i < 200000; i++) {
      int r = rand();
      if (r < lowest) lowest = r;
      if (r > highest) highest = r;
    }
    recordInt(lowest); recordInt(highest);
  })"));
  ASSERT_EQ(harness.records.size(), 2u);
  int lowest = std::stoi(harness.records[0]);
  int highest = std::stoi(harness.records[1]);
  EXPECT_GE(lowest, 0);
  EXPECT_LE(highest, kScriptRandMax);
  // 200,000 draws of a uniform 0..32767 reach close to both ends.
  EXPECT_LT(lowest, 100);
  EXPECT_GT(highest, kScriptRandMax - 100);
}

TEST(ScriptApi, GetposAsksForAClickInTheMapAreaAndGivesItsCell) {
  ScriptHarness harness;
  struct Case {
    int pixelX, pixelY;
    const char* cell;
  };
  const Case cases[] = {{0, 0, "1,1"}, {17, 19, "1,1"}, {18, 20, "2,2"}, {863, 479, "48,24"},
                        {100, 250, "6,13"}};
  for (const Case& c : cases) {
    harness.fixedPointer.pixelX = c.pixelX;
    harness.fixedPointer.pixelY = c.pixelY;
    harness.records.clear();
    ASSERT_TRUE(harness.run(R"(void main() {
      int x = -1, y = -1;
      getpos(x, y);
      record("" + x + "," + y);
    })"));
    EXPECT_EQ(harness.records, Records{c.cell}) << c.pixelX << "," << c.pixelY;
  }
  EXPECT_EQ(harness.fixedPointer.calls, 5);
  EXPECT_EQ(harness.fixedPointer.lastWidth, 864);
  EXPECT_EQ(harness.fixedPointer.lastHeight, 480);
}

TEST(ScriptApi, RegistrationsAreCheckedAndAFailureIsReported) {
  ScriptGrid grid;
  test::RecordingMessageBox messages;
  test::FixedPointer pointer;
  ScriptStop stop;
  ScriptApi api(grid, messages, pointer, stop);
  asIScriptEngine* bare = asCreateScriptEngine(ANGELSCRIPT_VERSION);
  ASSERT_NE(bare, nullptr);
  EXPECT_FALSE(api.registerWith(*bare));  // message(string) needs the type
  bare->ShutDownAndRelease();

  asIScriptEngine* engine = asCreateScriptEngine(ANGELSCRIPT_VERSION);
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(registerScriptString(*engine));
  EXPECT_FALSE(registerScriptString(*engine));  // the same type again
  EXPECT_TRUE(api.registerWith(*engine));
  EXPECT_FALSE(api.registerWith(*engine));  // the same functions again
  engine->ShutDownAndRelease();
}

}  // namespace
}  // namespace vek
