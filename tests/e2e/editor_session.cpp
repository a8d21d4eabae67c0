#include "editor_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "child_process.h"

namespace vek::e2e {

EditorSession::EditorSession() {
  std::string tiles = test::readFileBytes(std::string(VEK_BUILD_DIR) + "/data.dat");
  EXPECT_FALSE(tiles.empty()) << "the build writes data.dat";
  EXPECT_TRUE(test::writeFileBytes(world.file("data.dat"), tiles));
}

EditorSession::~EditorSession() { editor.reset(); }

bool EditorSession::copySampleScript(const std::string& name) const {
  std::string text =
      test::readFileBytes(std::string(VEK_SOURCE_DIR) + "/examples/scripts/" + name);
  return !text.empty() && test::writeFileBytes(world.file(name), text);
}

::testing::AssertionResult EditorSession::startOn(const std::string& mapName) {
  if (!x.ok()) return ::testing::AssertionFailure() << "Xvfb did not start";
  editor.emplace(std::vector<std::string>{std::string(VEK_BIN_DIR) + "/vekedit"},
                 std::vector<std::string>{x.displayVariable()}, world.path());
  std::optional<std::string> found = x.waitForWindow(kEditorWindowName, kPatience);
  if (!found) return ::testing::AssertionFailure() << "no editor window";
  window = *found;
  if (!waitForScreen(dialogShown)) return ::testing::AssertionFailure() << "no first dialog";
  return answerDialog(mapName);
}

::testing::AssertionResult EditorSession::answerDialog(const std::string& text) {
  // Keys go to the window under the pointer: there is no window manager.
  moveTo(500, 350);
  x.typeText(text);
  x.key("Return");
  if (!waitForScreen([](const Image& shot) { return !dialogShown(shot); }))
    return ::testing::AssertionFailure() << "the dialog stayed open after " << text;
  return ::testing::AssertionSuccess();
}

bool EditorSession::waitForScreen(const std::function<bool(const Image&)>& condition,
                                  milliseconds timeout) const {
  if (waitUntil([&] { return condition(screen()); }, timeout)) return true;
  keepFailedScreen();
  return false;
}

void EditorSession::keepFailedScreen() const {
  const char* chosen = std::getenv("VEK_E2E_FAILURE_DIR");
  std::string folder = chosen && *chosen ? chosen : std::string(VEK_BUILD_DIR) + "/e2e-failures";
  mkdir(folder.c_str(), 0777);
  std::string path = folder + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                     "-" + std::to_string(getpid()) + "-" + std::to_string(++failedScreens_) + ".png";
  if (saveScreen(path))
    ADD_FAILURE() << "the screen when waiting ended: " << path << "; pointer "
                  << x.xdotool({"getmouselocation"}) << "display " << x.display();
}

bool EditorSession::saveScreen(const std::string& path) const {
  return test::runProgram({"import", "-display", x.display(), "-window", window, path}).status == 0;
}

bool EditorSession::pointerDrawnAt(const Image& shot, int px, int py) {
  return shot.count(px - 1, py - 1, 12, 18, kWhite) > 10;
}

bool EditorSession::pointerIsAt(int px, int py) const {
  // No window manager: the window is at the origin.
  return x.xdotool({"getmouselocation", "--shell"}).find("X=" + std::to_string(px) + "\nY=" +
                                                         std::to_string(py) + "\n") == 0;
}

bool EditorSession::placePointer(int px, int py) const {
  // Allegro may warp the pointer some time after start-up.
  return waitUntil(
      [&] {
        if (pointerIsAt(px, py)) return true;
        moveTo(px, py);
        return false;
      },
      kPatience);
}

bool EditorSession::syncWithPasses() const {
  // The pass showing the second spot began after the first spot's ended,
  // so it read the buttons as they are now.
  for (const auto& spot : kSyncSpots) {
    bool seen = waitUntil(
        [&] { return placePointer(spot[0], spot[1]) && pointerDrawnAt(screen(), spot[0], spot[1]); },
        kPatience);
    if (!seen) {
      keepFailedScreen();
      return false;
    }
  }
  return true;
}

bool EditorSession::pointAt(int px, int py) const {
  if (!syncWithPasses()) {
    ADD_FAILURE() << "the editor does not draw its pointer";
    return false;
  }
  const auto& last = kSyncSpots[1];
  if (!placePointer(px, py) ||
      !waitForScreen([&](const Image& shot) { return !pointerDrawnAt(shot, last[0], last[1]); })) {
    ADD_FAILURE() << "the pointer did not reach " << px << "," << py;
    return false;
  }
  return pointerIsAt(px, py);
}

bool EditorSession::pressUntil(int px, int py, int button, const std::function<bool()>& condition,
                               milliseconds timeout) const {
  if (!pointAt(px, py)) return false;
  x.press(button);
  bool held = waitUntil(condition, timeout);
  x.release(button);
  return held;
}

bool EditorSession::pressUntilScreen(int px, int py, int button,
                                     const std::function<bool(const Image&)>& condition,
                                     milliseconds timeout) const {
  if (pressUntil(px, py, button, [&] { return condition(screen()); }, timeout)) return true;
  keepFailedScreen();
  return false;
}

bool EditorSession::clickToOpenDialog(int px, int py) const {
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (!pointAt(px, py)) return false;
    x.press(1);
    screen();
    x.release(1);
    if (waitUntil([&] { return dialogShown(screen()); }, milliseconds(8000))) return true;
  }
  return waitForScreen(dialogShown, milliseconds(1000));
}

std::optional<int> EditorSession::holdKeyUntilExit(const std::string& name) {
  moveTo(995, 695);
  x.xdotool({"keydown", name});
  std::optional<int> exitCode = waitForExit();
  x.xdotool({"keyup", name});
  return exitCode;
}

namespace {

// The last argument of the editor's child process named xmessage: the text.
std::string childMessageText(pid_t parent) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    if (!std::isdigit(static_cast<unsigned char>(entry.path().filename().string()[0]))) continue;
    std::string stat = test::readFileBytes(entry.path().string() + "/stat");
    std::size_t close = stat.rfind(')');
    if (stat.find("(xmessage)") == std::string::npos || close == std::string::npos) continue;
    if (std::atoi(stat.c_str() + close + 4) != parent) continue;  // ") S PPID"
    std::string arguments = test::readFileBytes(entry.path().string() + "/cmdline");
    while (!arguments.empty() && (arguments.back() == '\0' || arguments.back() == '\n'))
      arguments.pop_back();  // Allegro ends the text with a line end
    return arguments.substr(arguments.rfind('\0') + 1);
  }
  return "";
}

}  // namespace

std::optional<std::string> EditorSession::answerMessage() {
  std::optional<std::string> box = x.waitForWindow("xmessage", kPatience);
  if (!box || !editor) return std::nullopt;
  std::string text = childMessageText(editor->pid());
  x.moveTo(*box, 10, 10);
  x.key("Return");
  auto closed = [&] { return !x.waitForWindow("xmessage", milliseconds(0)); };
  if (!waitUntil(closed, kPatience)) return std::nullopt;
  return text;
}

void EditorSession::saveScreenshotIfAsked(const std::string& name) const {
  const char* folder = std::getenv("VEK_SCREENSHOT_DIR");
  if (!folder || !*folder) return;
  EXPECT_TRUE(saveScreen(std::string(folder) + "/" + name)) << name;
}

bool dialogShown(const Image& shot) { return shot.allOf(650, 420, 100, 30, kWhite); }

bool showsTile(const Image& shot, int x, int y, int code) {
  int paletteX = paletteLeft(code), paletteY = paletteTop(code);
  // The pointer's sprite starts one pixel above and left of its tip.
  for (int row = 0; row < 20; ++row) {
    for (int column = 0; column < 18; ++column) {
      if (row >= 18 && column >= 16) continue;
      if (!(shot.pixel(x + column, y + row) == shot.pixel(paletteX + column, paletteY + row)))
        return false;
    }
  }
  return true;
}

bool cellShowsTile(const Image& shot, int column, int row, int code) {
  return showsTile(shot, cellLeft(column), cellTop(row), code);
}

Rgb tileSample(const Image& shot, int code) {
  return shot.pixel(paletteLeft(code) + 5, paletteTop(code) + 5);
}

}  // namespace vek::e2e
