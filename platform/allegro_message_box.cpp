#include "platform/allegro_message_box.h"

#include <allegro.h>

namespace vek {

void AllegroMessageBox::showMessage(const char* text) {
  // Never the text as the format: a percent sign must show as itself.
  allegro_message("%s", text ? text : "");
}

}  // namespace vek
