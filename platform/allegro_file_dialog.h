#pragma once

#include "platform/platform.h"

namespace vek {

// The open-file dialog of the editor: Allegro's file selector drawn in the
// editor's window, 600 x 400 and centred, with the pointer shown while it is
// open, titled "Open" when given no title. Typing edits the path, Enter
// confirms, Escape or Cancel cancels; keys typed before it opened are
// dropped. A confirmed path that is not an existing regular file opens the
// selector again on that path, as a native dialog refuses it. Once it closes
// the screen shows again what it showed before.
class AllegroFileDialog : public FileDialog {
 public:
  bool chooseFile(const char* title, const char* extension, char* path,
                  std::size_t capacity) override;
  // The same selector, titled "Save as" when given no title, accepting a
  // file name (new or existing, not a folder) in an existing folder.
  bool chooseNewFile(const char* title, const char* extension, char* path,
                     std::size_t capacity) override;

 private:
  bool choose(const char* title, const char* extension, char* path, std::size_t capacity,
              bool (*acceptable)(char* path, std::size_t capacity, const char* extension));
};

// Whether path names an existing regular file (so also: in an existing folder).
bool isExistingRegularFile(const char* path);

}  // namespace vek
