#pragma once

// The editor run headless: screen is a 1000 x 700 memory bitmap, the mouse
// globals are set by the test, the platform services answer from scripts.

#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/close_button.h"
#include "app/editor_app.h"
#include "bitmap_checks.h"
#include "bmp_writer.h"
#include "headless_allegro.h"
#include "platform_fakes.h"
#include "resources/archive_writer.h"
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

inline void writeTileArchive(const std::string& path, const std::vector<TilePicture>& pictures) {
  ArchiveWriter writer;
  for (const TilePicture& picture : pictures) {
    TileImage image(picture.width, picture.height, picture.colour);
    if (picture.sample) image.set(5, 5, *picture.sample);
    std::string bmp;
    ASSERT_TRUE(encodeBmp(image, BmpEncoding::Rgb24, bmp));
    ASSERT_EQ(writer.add(std::to_string(picture.code) + ".bmp", bmp),
              ArchiveWriter::AddResult::Added);
  }
  ASSERT_TRUE(writer.writeFile(path.c_str()));
}

// The editor on a memory screen, started with a scripted first dialog.
class HeadlessEditor {
 public:
  explicit HeadlessEditor(int depth = 32) {
    useColorDepth(depth);
    useHeadlessKeyboard();
    screen = create_bitmap(1000, 700);
    clear_bitmap(screen);
    resetInput();
    clearCloseRequest();
  }
  ~HeadlessEditor() {
    app.reset();
    destroy_bitmap(screen);
    screen = nullptr;
    resetInput();
    clearCloseRequest();
  }

  // No pictures: no data.dat at all; no firstMap: the first dialog cancelled;
  // mapFile: the map named on the command line.
  EditorApp& start(const std::vector<TilePicture>& pictures = {},
                   const std::optional<std::string>& firstMap = std::nullopt,
                   const std::string& mapFile = "") {
    std::string archive = dir.file("data.dat");
    if (!pictures.empty()) writeTileArchive(archive, pictures);
    if (firstMap) files.answer(*firstMap);
    app = std::make_unique<EditorApp>(platform);
    app->startUp(archive.c_str(), mapFile);
    return *app;
  }

  // buttons: 1 left, 2 right, 4 middle.
  bool pass(int x, int y, int buttons = 0) {
    putMouse(x, y, buttons);
    return app->runPass();
  }
  void click(int x, int y, int buttons = 1) {
    pass(x, y, buttons);
    pass(x, y, 0);
  }
  bool pressKey(int scancode, int shifts = 0, int x = 995, int y = 695, int buttons = 0) {
    key_shifts = shifts;
    simulate_keypress(scancode << 8 | (scancode == KEY_ESC ? 27 : 0));
    key_shifts = 0;
    return pass(x, y, buttons);
  }

  // The document's map and state, a file in the test's folder, and whether
  // the text is drawn in white at (x, y).
  const Map& map() const { return app->document().map(); }
  MapDocument& document() { return app->context().document; }
  EditorState& state() { return app->context().state; }
  std::string file(const std::string& name) const { return dir.file(name); }
  bool shows(int x, int y, const std::string& text) const {
    return textDifferences(frame(), x, y, text.c_str(), white()).empty();
  }
  BITMAP* frame() const { return app->frame(); }

  TempDir dir;
  ScriptedFileDialog files;
  RecordingMessageBox messages;
  FixedPointer pointer;
  ScriptedQuestion questions;
  Platform platform{files, messages, pointer, &questions};
  std::unique_ptr<EditorApp> app;
};

inline int inCellX(int column) { return column * 18 + 9; }
inline int inCellY(int row) { return row * 20 + 10; }

}  // namespace vek::test
