#pragma once

// The editor run headless: Allegro without a graphics driver, screen pointed
// at a 1000 x 700 memory bitmap, the mouse globals set by the test, and the
// platform services answered from scripts.

#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/editor_app.h"
#include "bitmap_checks.h"
#include "headless_allegro.h"
#include "platform_fakes.h"
#include "temp_dir.h"
#include "test_maps.h"
#include "tile_image.h"

namespace vek::test {

// A tile picture for a test archive: one colour, with another at (5, 5)
// when sample is given (the pixel the world picture reads).
struct TilePicture {
  int code;
  Rgb colour;
  int width = 18, height = 20;
  std::optional<Rgb> sample = std::nullopt;
};

void writeTileArchive(const std::string& path, const std::vector<TilePicture>& pictures);

// The editor on a memory screen, started with a scripted first dialog.
class HeadlessEditor {
 public:
  explicit HeadlessEditor(int depth = 32);
  ~HeadlessEditor();

  // No pictures: no data.dat at all; no firstMap: the first dialog cancelled.
  EditorApp& start(const std::vector<TilePicture>& pictures = {},
                   const std::optional<std::string>& firstMap = std::nullopt);

  // buttons: 1 left, 2 right, 4 middle.
  bool pass(int x, int y, int buttons = 0);
  void click(int x, int y, int buttons = 1);
  bool pressKey(int scancode, int shifts = 0, int x = 995, int y = 695, int buttons = 0);

  // The document's map and state, and the text drawn in white at (x, y).
  const Map& map() const { return app->document().map(); }
  MapDocument& document() { return app->context().document; }
  EditorState& state() { return app->context().state; }
  bool shows(int x, int y, const std::string& text) const {
    return textDifferences(frame(), x, y, text.c_str(), white()).empty();
  }

  TempDir dir;
  ScriptedFileDialog files;
  RecordingMessageBox messages;
  FixedPointer pointer;
  ScriptedQuestion questions;
  Platform platform{files, messages, pointer, &questions};
  std::unique_ptr<EditorApp> app;
  BITMAP* frame() const { return app->frame(); }
};

// The middle of a map cell.
inline int inCellX(int column) { return column * 18 + 9; }
inline int inCellY(int row) { return row * 20 + 10; }

}  // namespace vek::test
