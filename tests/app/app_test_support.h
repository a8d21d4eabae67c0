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
#include "bitmap_checks.h"
#include "headless_allegro.h"
#include "platform/platform.h"
#include "platform_fakes.h"
#include "temp_dir.h"
#include "test_maps.h"

namespace vek::test {

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
  // A key put in the key buffer with these shift flags held (KB_CTRL_FLAG,
  // ...), then one pass with the mouse as given.
  bool pressKey(int scancode, int shifts = 0, int x = 995, int y = 695, int buttons = 0);

  int colour(Colour c) const { return makecol(c.r, c.g, c.b); }

  TempDir dir;
  ScriptedFileDialog files;
  RecordingMessageBox messages;
  FixedPointer pointer;
  ScriptedQuestion questions;
  Platform platform{files, messages, pointer, &questions};
  std::unique_ptr<EditorApp> app;
  BITMAP* frame() const { return app->frame(); }
};

// Map cell (column, row) as a pixel rectangle's top-left corner.
inline int cellX(int column) { return column * 18; }
inline int cellY(int row) { return row * 20; }
// A point inside palette cell of code.
inline int paletteX(int code) { return (code % 32) * 18; }
inline int paletteY(int code) { return 520 + (code / 32) * 20; }

}  // namespace vek::test
