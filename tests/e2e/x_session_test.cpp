// The end-to-end harness itself, against a plain X client (xmessage).
#include <gtest/gtest.h>
#include <unistd.h>

#include "x_session.h"

namespace vek::e2e {
namespace {

TEST(XSession, RunsAWindowTakesItsPictureAndClosesIt) {
  XSession x;
  ASSERT_TRUE(x.ok()) << "Xvfb did not start";
  Process message({"xmessage", "-name", "harness", "-title", "harness-check", "-buttons",
                   "Close:7", "hello"},
                  {x.displayVariable()});
  std::optional<std::string> window = x.waitForWindow("harness-check", milliseconds(10000));
  ASSERT_TRUE(window.has_value());

  Image shot = x.screenshot(*window);
  ASSERT_FALSE(shot.empty());
  EXPECT_GT(shot.width(), 10);
  EXPECT_GT(shot.height(), 10);

  // xmessage's default button answers Return with its exit code.
  Process answered({"xmessage", "-title", "harness-default", "-buttons", "Close:7", "-default",
                    "Close", "bye"},
                   {x.displayVariable()});
  std::optional<std::string> second = x.waitForWindow("harness-default", milliseconds(10000));
  ASSERT_TRUE(second.has_value());
  x.moveTo(*second, 5, 5);
  x.key("Return");
  EXPECT_EQ(answered.waitForExit(milliseconds(10000)), std::optional<int>(7));

  message.kill();
  EXPECT_FALSE(message.running());
}

TEST(XSession, EndingLeavesNoSocketOrLockFile) {
  std::string number;
  {
    XSession x;
    ASSERT_TRUE(x.ok()) << "Xvfb did not start";
    number = x.display().substr(1);
    ASSERT_EQ(access(("/tmp/.X11-unix/X" + number).c_str(), F_OK), 0);
  }
  EXPECT_NE(access(("/tmp/.X11-unix/X" + number).c_str(), F_OK), 0);
  EXPECT_NE(access(("/tmp/.X" + number + "-lock").c_str(), F_OK), 0);
}

TEST(XSession, ProcessReportsItsExitCode) {
  Process ok({"sh", "-c", "exit 3"});
  EXPECT_EQ(ok.waitForExit(milliseconds(5000)), std::optional<int>(3));
  Process slow({"sleep", "30"});
  EXPECT_EQ(slow.waitForExit(milliseconds(50)), std::nullopt);
  slow.kill();
  EXPECT_FALSE(slow.running());
}

}  // namespace
}  // namespace vek::e2e
