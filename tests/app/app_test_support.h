#pragma once

// The editor run headless: Allegro without a graphics driver, screen pointed
// at a 1000 x 700 memory bitmap, the mouse globals set by the test, and the
// platform services answered from scripts.

#include <allegro.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_app.h"
#include "platform/platform.h"
#include "temp_dir.h"

namespace vek::test {

// Answers each dialog with the next queued answer (nothing queued, or a
// queued nullopt, cancels) and records how it was called.
class ScriptedFileDialog : public FileDialog {
 public:
  struct Call {
    std::optional<std::string> title;  // nullopt: no title given
    std::string extension;
    std::string initialPath;
    std::size_t capacity;
  };

  void answer(const std::string& path) { answers_.push_back(path); }
  void cancelNext() { answers_.push_back(std::nullopt); }
  bool chooseFile(const char* title, const char* extension, char* path,
                  std::size_t capacity) override;

  std::vector<Call> calls;
  // Runs inside each dialog, before it answers (tests look at the screen).
  std::function<void()> whileOpen;

 private:
  std::vector<std::optional<std::string>> answers_;
};

class RecordingMessageBox : public MessageBox {
 public:
  void showMessage(const char* text) override {
    shown.push_back(text);
    if (whileShown) whileShown();
  }
  std::vector<std::string> shown;
  std::function<void()> whileShown;
};

// Answers every click wait with one pixel position.
class FixedPointer : public PointerWait {
 public:
  void waitForLeftClick(int, int, int* x, int* y) override {
    ++calls;
    *x = pixelX;
    *y = pixelY;
  }
  int pixelX = 0;
  int pixelY = 0;
  int calls = 0;
};

struct BitmapDeleter {
  void operator()(BITMAP* bitmap) const {
    if (bitmap) destroy_bitmap(bitmap);
  }
};
using BitmapHolder = std::unique_ptr<BITMAP, BitmapDeleter>;

struct Colour {
  int r, g, b;
};

// A tile picture for a test archive: one colour, with another at (5, 5)
// when sample is given (the pixel the world picture reads).
struct TilePicture {
  int code;
  Colour colour;
  int width = 18;
  int height = 20;
  std::optional<Colour> sample = std::nullopt;
};

// Writes a data.dat holding the pictures, as "<code>.bmp" entries.
void writeTileArchive(const std::string& path, const std::vector<TilePicture>& pictures);

// A Map file with every cell set to code and the given kind.
void writeFilledMap(const std::string& path, TileCode code, MapKind kind = MapKind::Wilderness);

// The editor on a memory screen, started with a scripted first dialog.
class HeadlessEditor {
 public:
  // Allegro headless at this colour depth; no editor yet.
  explicit HeadlessEditor(int depth = 32);
  ~HeadlessEditor();
  HeadlessEditor(const HeadlessEditor&) = delete;
  HeadlessEditor& operator=(const HeadlessEditor&) = delete;

  // Creates the editor and runs its start-up: the archive written from
  // pictures into the test folder (none: no data.dat at all), and the first
  // dialog answered with firstMap (nullopt: cancelled).
  EditorApp& start(const std::vector<TilePicture>& pictures = {},
                   const std::optional<std::string>& firstMap = std::nullopt);

  // One pass with the mouse at (x, y) and these buttons held (1 left,
  // 2 right, 4 middle); gives runPass's result.
  bool pass(int x, int y, int buttons = 0);
  // A press and a release at (x, y): two passes.
  void click(int x, int y, int buttons = 1);

  int colour(Colour c) const { return makecol(c.r, c.g, c.b); }

  TempDir dir;
  ScriptedFileDialog files;
  RecordingMessageBox messages;
  FixedPointer pointer;
  Platform platform{files, messages, pointer};
  std::unique_ptr<EditorApp> app;
  BITMAP* frame() const { return app->backBuffer; }
};

// Where a text drawn with Allegro's font in colour at (x, y) of target
// differs from the same text drawn on black: a few pixels described, empty
// when the text box matches exactly. The box must be black around the text.
std::string textDifferences(BITMAP* target, int x, int y, const char* text, int colour);

// Whether every pixel of the rectangle has the colour.
bool allPixels(BITMAP* target, int x, int y, int width, int height, int colour);
// How many pixels of the rectangle have the colour.
int countPixels(BITMAP* target, int x, int y, int width, int height, int colour);

// Map cell (column, row) as a pixel rectangle's top-left corner.
inline int cellX(int column) { return column * 18; }
inline int cellY(int row) { return row * 20; }
// A point inside palette cell of code.
inline int paletteX(int code) { return (code % 32) * 18; }
inline int paletteY(int code) { return 520 + (code / 32) * 20; }

// Sets mouse_x, mouse_y and mouse_b.
void putMouse(int x, int y, int buttons);

int white();
int red();

}  // namespace vek::test
