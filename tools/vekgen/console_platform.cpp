#include "console_platform.h"

#include <cstring>

#include "script/script_api.h"

namespace vek {

bool FixedFileDialog::chooseFile(const char*, const char*, char* path, std::size_t capacity) {
  if (!path || path_.size() >= capacity) return false;
  std::memcpy(path, path_.c_str(), path_.size() + 1);
  return true;
}

void StreamMessageBox::showMessage(const char* text) {
  std::fputs(prefix_.c_str(), stream_);
  std::fputs(text ? text : "", stream_);
  std::fputc('\n', stream_);
  std::fflush(stream_);
}

bool FixedPointer::waitForLeftClick(int, int, int* x, int* y, const std::function<bool()>&) {
  // The pixel of the cell's top-left corner gives back that cell.
  *x = cellX_ ? (*cellX_ - 1) * kCellWidthPixels : 0;
  *y = cellY_ ? (*cellY_ - 1) * kCellHeightPixels : 0;
  if ((!cellX_ || !cellY_) && host_) {
    host_->abortRun("the script called getpos(), which needs the cell to return: pass --pos X,Y");
  }
  return true;
}

}  // namespace vek
