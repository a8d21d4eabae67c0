#pragma once

#include "platform/platform.h"

namespace vek {

// Allegro's message box; on X11 it is an xmessage window (x11-utils), and
// the call returns once the user has dismissed it.
class AllegroMessageBox : public MessageBox {
 public:
  void showMessage(const char* text) override;
};

}  // namespace vek
