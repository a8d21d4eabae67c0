// vekedit: the VEK Map Editor. vekedit --help tells its command line.
#include <allegro.h>

#include <cstdlib>
#include <ctime>

#include "app/editor_main.h"
#include "app/editor_options.h"
#include "platform/allegro_file_dialog.h"
#include "platform/allegro_message_box.h"
#include "platform/allegro_pointer_wait.h"
#include "platform/allegro_question.h"

int main(int argc, char** argv) {
  vek::EditorOptions options;
  int status = vek::parseEditorOptions(argc, argv, options);
  if (status >= 0) return status;
  // Generation scripts draw their random numbers from the C library.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  vek::AllegroFileDialog files;
  vek::AllegroMessageBox messages;
  vek::AllegroPointerWait pointer;
  vek::AllegroQuestion questions;
  return vek::runEditor(vek::Platform{files, messages, pointer, &questions}, options);
}
END_OF_MAIN()
