#pragma once

// The real vekedit in its own Xvfb, run in a world folder of its own, and
// the checks its screenshots need: whether the file dialog is open, and
// whether a map cell or the selected tile shows a tile's picture (compared
// with that tile's cell of the palette in the same screenshot).

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

// Two spots of the frame that are always black: right of the palette,
// below the buttons.
constexpr int kSyncSpots[2][2] = {{590, 610}, {620, 650}};

class EditorSession {
 public:
  // A virtual display and a world folder holding the default data.dat.
  EditorSession();
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // A file of the world folder.
  std::string file(const std::string& name) const { return world.file(name); }
  // Copies a sample script from examples/scripts into the world folder.
  bool copySampleScript(const std::string& name) const;

  // Starts vekedit in the world folder and waits for its window and its
  // first dialog.
  ::testing::AssertionResult start();
  // Types text into the open file dialog (which starts in the world folder),
  // confirms with Return and waits until the dialog has closed.
  ::testing::AssertionResult answerDialog(const std::string& text);
  // The first dialog answered with a map of the world folder, and the map
  // on the screen.
  ::testing::AssertionResult startOn(const std::string& mapName);

  Image screen() const { return x.screenshot(window); }
  // Takes screenshots until one satisfies condition; false at the deadline.
  bool waitForScreen(const std::function<bool(const Image&)>& condition,
                     milliseconds timeout = kPatience) const;
  // Holds a mouse button down at (x, y) of the window until condition holds,
  // then lets it go: the editor polls its buttons once per pass, so a press
  // must last until the pass that acts on it has been seen. Before it, waits
  // until a pass has seen the buttons up (syncWithPasses), since the editor
  // takes a new press only after that.
  bool pressUntil(int x, int y, int button, const std::function<bool()>& condition,
                  milliseconds timeout = kPatience) const;
  bool pressUntilScreen(int x, int y, int button,
                        const std::function<bool(const Image&)>& condition,
                        milliseconds timeout = kPatience) const;
  // A left click at (x, y) that opens the file dialog. Allegro's dialog
  // draws itself only once the button that opened it is released, so there
  // is nothing to wait for while the button is held: it is held for a
  // screenshot's time, and a click that no pass saw is made again.
  bool clickToOpenDialog(int x, int y) const;
  // Moves the pointer over two empty spots of the frame in turn, waiting
  // each time until a frame shows it there; false when none does.
  bool syncWithPasses() const;
  // Moves the pointer to (x, y) after syncWithPasses and waits until the
  // editor has followed it there.
  bool pointAt(int x, int y) const;
  // Moves the pointer to (x, y) until it stays there.
  bool placePointer(int x, int y) const;
  bool pointerIsAt(int x, int y) const;
  static bool pointerDrawnAt(const Image& shot, int x, int y);
  void moveTo(int x, int y) const { this->x.moveTo(window, x, y); }
  // Holds a key down, with the pointer over the window (which then has the
  // focus), until the editor ends: it reads the key's state once per pass,
  // so a key let go too soon may fall between two readings. Gives the exit
  // code, nothing when the editor did not end.
  std::optional<int> holdKeyUntilExit(const std::string& name);
  std::optional<int> waitForExit(milliseconds timeout = kPatience) {
    return editor->waitForExit(timeout);
  }

  // Waits for the editor's message box (Allegro shows it with xmessage, a
  // child process of the editor) and answers it with Return: the text it
  // showed, nothing when none came or it stayed.
  std::optional<std::string> answerMessage();

  // Writes a screenshot of the editor as PNG into the folder named by
  // VEK_SCREENSHOT_DIR, when that is set; the README's pictures are made so.
  void saveScreenshotIfAsked(const std::string& name) const;

  // Writes a screenshot that a wait gave up on, to see what the editor
  // showed, into the folder named by VEK_E2E_FAILURE_DIR (by default
  // build/e2e-failures).
  void keepFailedScreen(const Image& shot) const;

  test::TempDir world;
  XSession x;
  std::optional<Process> editor;
  std::string window;

 private:
  mutable int failedScreens_ = 0;
};

// The file dialog: a white box over the middle of the window.
bool dialogShown(const Image& shot);

// Map cell (column, row) from 0, and the palette cell of a tile code: their
// top-left pixel.
inline int cellLeft(int column) { return column * 18; }
inline int cellTop(int row) { return row * 20; }
inline int paletteLeft(int code) { return (code % 32) * 18; }
inline int paletteTop(int code) { return 520 + (code / 32) * 20; }
// The bottom-right pixel of a map cell or palette cell: pressed there, the
// pointer (drawn from one pixel above and left of its tip to the right and
// down) covers only the cell's bottom-right 2 x 2 pixels.
inline int cellPressX(int column) { return column * 18 + 17; }
inline int cellPressY(int row) { return row * 20 + 19; }

// Whether the 18 x 20 block at (x, y) shows the picture of code as the
// palette does (all but its bottom-right 2 x 2 pixels, where the pointer
// may be).
bool showsTile(const Image& shot, int x, int y, int code);
bool cellShowsTile(const Image& shot, int column, int row, int code);
// The pixel that the world picture takes for a tile: (5, 5) of its picture.
Rgb tileSample(const Image& shot, int code);

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

}  // namespace vek::e2e
