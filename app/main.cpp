// vekedit: the VEK Map Editor. The command line is ignored.
#include <allegro.h>

#include <cstdlib>
#include <ctime>

#include "app/editor_main.h"
#include "platform/allegro_file_dialog.h"
#include "platform/allegro_message_box.h"
#include "platform/allegro_pointer_wait.h"
#include "platform/allegro_question.h"

int main() {
  // Generation scripts draw their random numbers from the C library.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  vek::AllegroFileDialog files;
  vek::AllegroMessageBox messages;
  vek::AllegroPointerWait pointer;
  vek::AllegroQuestion questions;
  return vek::runEditor(vek::Platform{files, messages, pointer, &questions});
}
END_OF_MAIN()
