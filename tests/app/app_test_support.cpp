#include "app_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "app/close_button.h"
#include "bmp_writer.h"
#include "headless_allegro.h"
#include "resources/archive_writer.h"
#include "tile_image.h"

namespace vek::test {

bool ScriptedFileDialog::chooseFile(const char* title, const char* extension, char* path,
                                    std::size_t capacity) {
  Call call;
  if (title) call.title = std::string(title);
  call.extension = extension ? extension : "";
  call.initialPath = path;
  call.capacity = capacity;
  calls.push_back(call);
  if (whileOpen) whileOpen();
  if (answers_.empty()) return false;
  std::optional<std::string> answer = answers_.front();
  answers_.erase(answers_.begin());
  if (!answer) return false;
  if (answer->size() >= capacity) {
    ADD_FAILURE() << "scripted answer does not fit the dialog's buffer";
    return false;
  }
  std::memcpy(path, answer->c_str(), answer->size() + 1);
  return true;
}

void writeTileArchive(const std::string& path, const std::vector<TilePicture>& pictures) {
  ArchiveWriter writer;
  for (const TilePicture& picture : pictures) {
    auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
    TileImage image(picture.width, picture.height,
                    vek::Rgb{byte(picture.colour.r), byte(picture.colour.g), byte(picture.colour.b)});
    if (picture.sample) {
      image.set(5, 5, vek::Rgb{byte(picture.sample->r), byte(picture.sample->g), byte(picture.sample->b)});
    }
    std::string bmp;
    ASSERT_TRUE(encodeBmp(image, BmpEncoding::Rgb24, bmp));
    ASSERT_EQ(writer.add(std::to_string(picture.code) + ".bmp", bmp), ArchiveWriter::AddResult::Added);
  }
  ASSERT_TRUE(writer.writeFile(path.c_str()));
}

void writeFilledMap(const std::string& path, TileCode code, MapKind kind) {
  Map map;
  map.kind = kind;
  for (int row = 0; row < Map::kRows; ++row)
    for (int column = 0; column < Map::kColumns; ++column) map.setTile(column, row, code);
  ASSERT_TRUE(map.save(path.c_str()));
}

HeadlessEditor::HeadlessEditor(int depth) {
  useColorDepth(depth);
  useHeadlessKeyboard();
  screen = create_bitmap(1000, 700);
  clear_bitmap(screen);
  putMouse(0, 0, 0);
  for (int code = 0; code < KEY_MAX; ++code) key[code] = 0;
  clear_keybuf();
  clearCloseRequest();
}

HeadlessEditor::~HeadlessEditor() {
  app.reset();
  destroy_bitmap(screen);
  screen = nullptr;
  putMouse(0, 0, 0);
  key[KEY_ESC] = 0;
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

void putMouse(int x, int y, int buttons) {
  mouse_x = x;
  mouse_y = y;
  mouse_b = buttons;
}

std::string textDifferences(BITMAP* target, int x, int y, const char* text, int colour) {
  int width = text_length(font, text);
  int height = text_height(font);
  BITMAP* expected = create_bitmap(width + 2, height + 2);
  clear_bitmap(expected);
  textout_ex(expected, font, text, 1, 1, colour, -1);
  std::ostringstream report;
  int differing = 0;
  for (int row = 0; row < expected->h; ++row) {
    for (int column = 0; column < expected->w; ++column) {
      int want = getpixel(expected, column, row);
      int got = getpixel(target, x - 1 + column, y - 1 + row);
      if (got == want) continue;
      if (differing++ < 4)
        report << "(" << x - 1 + column << "," << y - 1 + row << ") is " << got << ", expected "
               << want << "; ";
    }
  }
  destroy_bitmap(expected);
  if (differing) report << differing << " pixels differ from \"" << text << "\"";
  return report.str();
}

int countPixels(BITMAP* target, int x, int y, int width, int height, int colour) {
  int count = 0;
  for (int row = y; row < y + height; ++row)
    for (int column = x; column < x + width; ++column) count += getpixel(target, column, row) == colour;
  return count;
}

bool allPixels(BITMAP* target, int x, int y, int width, int height, int colour) {
  return countPixels(target, x, y, width, height, colour) == width * height;
}

int white() { return makecol(255, 255, 255); }
int red() { return makecol(255, 0, 0); }

}  // namespace vek::test
