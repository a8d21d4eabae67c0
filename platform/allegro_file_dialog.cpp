#include "platform/allegro_file_dialog.h"

#include <allegro.h>
#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <string>

namespace vek {
namespace {

constexpr int kDialogWidth = 600;
constexpr int kDialogHeight = 400;
// The title of a dialog that is given none, as a native open dialog has.
constexpr const char* kDefaultTitle = "Open";

// Dark text on a light dialog, whatever the colour depth.
void useReadableDialogColours() {
  gui_fg_color = makecol(0, 0, 0);
  gui_mg_color = makecol(128, 128, 128);
  gui_bg_color = makecol(255, 255, 255);
}

// The key that closed the dialog may still be down when it returns; Escape
// must not reach the editor's loop, which would take it as the key to quit.
void waitForEscapeRelease() {
  while (key[KEY_ESC]) rest(1);
  clear_keybuf();
}

// What the screen showed before the dialog, put back once it closes: the
// dialog draws on the screen itself, and whatever runs next (a script
// waiting for a click on the frozen frame, for one) must see the editor's
// frame, not the closed dialog.
class ScreenKeeper {
 public:
  ScreenKeeper() : saved_(screen ? create_bitmap(screen->w, screen->h) : nullptr) {
    if (saved_) blit(screen, saved_, 0, 0, 0, 0, saved_->w, saved_->h);
  }
  ~ScreenKeeper() {
    if (saved_) destroy_bitmap(saved_);
  }
  ScreenKeeper(const ScreenKeeper&) = delete;
  ScreenKeeper& operator=(const ScreenKeeper&) = delete;

  void restore() {
    if (saved_) blit(saved_, screen, 0, 0, 0, 0, saved_->w, saved_->h);
  }

 private:
  BITMAP* saved_;
};

}  // namespace

bool isExistingRegularFile(const char* path) {
  struct stat info;
  return path && *path && stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

namespace {

bool acceptExistingFile(char* path, std::size_t, const char*) {
  return isExistingRegularFile(path);
}

// A name in an existing folder that is not itself a folder; a name without
// a dot gets the extension.
bool acceptNewFile(char* path, std::size_t capacity, const char* extension) {
  std::string text = path;
  std::size_t slash = text.rfind('/');
  std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
  if (name.empty()) return false;
  std::string folder = slash == std::string::npos ? "." : text.substr(0, slash + 1);
  struct stat info;
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (name.find('.') == std::string::npos && extension && *extension) {
    text += std::string(".") + extension;
  }
  if (text.size() >= capacity) return false;
  if (stat(text.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return false;
  std::memcpy(path, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

bool AllegroFileDialog::chooseFile(const char* title, const char* extension, char* path,
                                   std::size_t capacity) {
  return choose(title ? title : kDefaultTitle, extension, path, capacity, acceptExistingFile);
}

bool AllegroFileDialog::chooseNewFile(const char* title, const char* extension, char* path,
                                      std::size_t capacity) {
  return choose(title ? title : "Save as", extension, path, capacity, acceptNewFile);
}

bool AllegroFileDialog::choose(const char* title, const char* extension, char* path,
                               std::size_t capacity,
                               bool (*acceptable)(char*, std::size_t, const char*)) {
  if (!path || capacity == 0) return false;
  const std::string original = path;
  int size = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);

  // Keys typed into the editor before the dialog opened are not meant for
  // the path.
  clear_keybuf();
  ScreenKeeper keeper;
  useReadableDialogColours();
  show_mouse(screen);
  bool confirmed = false;
  while (file_select_ex(title, path, extension, size, kDialogWidth, kDialogHeight)) {
    if (acceptable(path, capacity, extension)) {
      confirmed = true;
      break;
    }
  }
  show_mouse(nullptr);
  keeper.restore();
  waitForEscapeRelease();

  if (!confirmed) {
    std::strncpy(path, original.c_str(), capacity - 1);
    path[capacity - 1] = '\0';
  }
  return confirmed;
}

}  // namespace vek
