#pragma once

// vekedit in its own Xvfb and world folder, and the checks its screenshots
// need (a cell's tile is compared with the palette of the same screenshot).

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "temp_dir.h"
#include "x_session.h"

namespace vek::e2e {

// Long enough for a loaded two-core machine; a passing test never waits it.
constexpr milliseconds kPatience{30000};

inline constexpr const char* kEditorWindowName = "VEK Map Editor";

// Two always-black spots of the frame.
constexpr int kSyncSpots[2][2] = {{590, 610}, {620, 650}};

class EditorSession {
 public:
  EditorSession();
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  std::string file(const std::string& name) const { return world.file(name); }
  bool copySampleScript(const std::string& name) const;

  // Types text into the open file dialog, Return, waits until it closes.
  ::testing::AssertionResult answerDialog(const std::string& text);
  // Starts vekedit and answers its first dialog with mapName.
  ::testing::AssertionResult startOn(const std::string& mapName);

  Image screen() const { return x.screenshot(window); }
  bool waitForScreen(const std::function<bool(const Image&)>& condition,
                     milliseconds timeout = kPatience) const;
  // Holds a button at (x, y) until condition holds: the editor polls the
  // buttons once per pass and takes a press only after a pass saw them up.
  bool pressUntil(int x, int y, int button, const std::function<bool()>& condition,
                  milliseconds timeout = kPatience) const;
  bool pressUntilScreen(int x, int y, int button,
                        const std::function<bool(const Image&)>& condition,
                        milliseconds timeout = kPatience) const;
  // Allegro's dialog draws only after the release, so the button is held
  // for a screenshot's time and a click no pass saw is made again.
  bool clickToOpenDialog(int x, int y) const;
  // Until frames show the pointer at each sync spot in turn.
  bool syncWithPasses() const;
  // syncWithPasses, then (x, y) once the editor followed the pointer.
  bool pointAt(int x, int y) const;
  bool placePointer(int x, int y) const;
  bool pointerIsAt(int x, int y) const;
  static bool pointerDrawnAt(const Image& shot, int x, int y);
  void moveTo(int x, int y) const { this->x.moveTo(window, x, y); }
  // Held, since the editor reads key states once per pass.
  std::optional<int> holdKeyUntilExit(const std::string& name);
  std::optional<int> waitForExit(milliseconds timeout = kPatience) {
    return editor->waitForExit(timeout);
  }

  // Answers the editor's xmessage box with Return; gives its text.
  std::optional<std::string> answerMessage();

  // Into $VEK_SCREENSHOT_DIR when set: the README's pictures.
  void saveScreenshotIfAsked(const std::string& name) const;

  // Into $VEK_E2E_FAILURE_DIR (default build/e2e-failures).
  void keepFailedScreen() const;
  bool saveScreen(const std::string& path) const;

  test::TempDir world;
  XSession x;
  std::optional<Process> editor;
  std::string window;

 private:
  mutable int failedScreens_ = 0;
};

bool dialogShown(const Image& shot);

inline int cellLeft(int column) { return column * 18; }
inline int cellTop(int row) { return row * 20; }
inline int paletteLeft(int code) { return (code % 32) * 18; }
inline int paletteTop(int code) { return 520 + (code / 32) * 20; }
// A cell's bottom-right pixel: the pointer there hides only 2 x 2 of it.
inline int cellPressX(int column) { return column * 18 + 17; }
inline int cellPressY(int row) { return row * 20 + 19; }

// The 18 x 20 block at (x, y) shows code as the palette does (but for the
// bottom-right 2 x 2 pixels, where the pointer may be).
bool showsTile(const Image& shot, int x, int y, int code);
bool cellShowsTile(const Image& shot, int column, int row, int code);
Rgb tileSample(const Image& shot, int code);

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

}  // namespace vek::e2e
