#include "app_test_support.h"

#include "app/close_button.h"
#include "bmp_writer.h"
#include "resources/archive_writer.h"

namespace vek::test {

void writeTileArchive(const std::string& path, const std::vector<TilePicture>& pictures) {
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

HeadlessEditor::HeadlessEditor(int depth) {
  useColorDepth(depth);
  useHeadlessKeyboard();
  screen = create_bitmap(1000, 700);
  clear_bitmap(screen);
  resetInput();
  clearCloseRequest();
}

HeadlessEditor::~HeadlessEditor() {
  app.reset();
  destroy_bitmap(screen);
  screen = nullptr;
  resetInput();
  clearCloseRequest();
}

EditorApp& HeadlessEditor::start(const std::vector<TilePicture>& pictures,
                                 const std::optional<std::string>& firstMap) {
  std::string archive = dir.file("data.dat");
  if (!pictures.empty()) writeTileArchive(archive, pictures);
  if (firstMap) files.answer(*firstMap);
  app = std::make_unique<EditorApp>(platform);
  app->startUp(archive.c_str());
  return *app;
}

bool HeadlessEditor::pass(int x, int y, int buttons) {
  putMouse(x, y, buttons);
  return app->runPass();
}

void HeadlessEditor::click(int x, int y, int buttons) {
  pass(x, y, buttons);
  pass(x, y, 0);
}

bool HeadlessEditor::pressKey(int scancode, int shifts, int x, int y, int buttons) {
  key_shifts = shifts;
  simulate_keypress(scancode << 8 | (scancode == KEY_ESC ? 27 : 0));
  key_shifts = 0;
  return pass(x, y, buttons);
}

}  // namespace vek::test
