#include "app/commands.h"

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "app/unsaved_changes.h"
#include "map/map_naming.h"
#include "script/generation_commands.h"
#include "script/world_transform.h"

namespace vek {

void copyPath(const std::string& path, char (&buffer)[kPathCapacity]) {
  std::strncpy(buffer, path.c_str(), kPathCapacity - 1);
  buffer[kPathCapacity - 1] = '\0';
}

bool mayReplaceFile(CommandContext& context, const char* path) {
  struct stat info;
  if (::stat(path, &info) != 0 || !context.platform.questions) return true;
  const char* slash = std::strrchr(path, '/');
  std::string name = slash ? slash + 1 : path;
  return context.platform.questions->ask(name + kReplaceQuestion, {"Replace", "Cancel"}) == 0;
}

namespace {

// Stands in for the world generation's warning box once the warning has
// been asked as a question.
class SilentMessageBox : public MessageBox {
 public:
  void showMessage(const char*) override {}
};

bool showsMap(const CommandContext& context) {
  return context.state.mode != EditorMode::WorldView;
}

}  // namespace

bool openMap(CommandContext& context, const std::string& path, OpenedKind kind, AskFirst ask) {
  if (ask == AskFirst::Yes && !mayDiscardChanges(context)) return false;
  OpenResult result = context.document.open(path, kind);
  if (result.opened) {
    context.state.tools.mapOpened();
    context.state.teleportList.reset();
  } else {
    std::string message = std::string(kOpenFailedMessage) + path + ": " + result.reason;
    context.platform.messages.showMessage(message.c_str());
  }
  return result.opened;
}

void loadMap(CommandContext& context) {
  char path[kPathCapacity];
  copyPath(context.document.path(), path);
  // No title: the dialog shows the platform's own ("Open").
  if (context.platform.files.chooseFile(nullptr, kMapExtension, path, kPathCapacity)) {
    openMap(context, path);
  }
  context.state.mode = EditorMode::Edit;
}

void saveMap(CommandContext& context) {
  if (context.state.mode != EditorMode::Edit) return;
  // The file written may be a teleport's destination.
  context.state.teleportList.forgetDestinations();
  if (context.document.save()) return;
  // A save that failed in silence would let the user quit believing the
  // map is safe.
  std::string message = !context.document.hasFile()
                            ? std::string(kSaveWithoutFileMessage)
                            : std::string(kSaveFailedMessage) + context.document.path();
  context.platform.messages.showMessage(message.c_str());
}

void saveMapAs(CommandContext& context) {
  if (context.state.mode != EditorMode::Edit) return;
  char path[kPathCapacity];
  copyPath(context.document.path(), path);
  if (!context.platform.files.chooseNewFile(nullptr, kMapExtension, path, kPathCapacity)) return;
  if (!mayReplaceFile(context, path)) return;
  context.state.teleportList.forgetDestinations();
  if (!context.document.saveAs(path)) {
    context.platform.messages.showMessage((std::string(kSaveFailedMessage) + path).c_str());
  }
}

void undoChange(CommandContext& context) {
  if (showsMap(context)) context.document.undo();
}

void redoChange(CommandContext& context) {
  if (showsMap(context)) context.document.redo();
}

void viewWorldMap(CommandContext& context) {
  context.document.endStep();
  // Delete or Ctrl+X must not reach a selection that is no longer shown.
  context.state.tools.mapOpened();
  context.world.open(folderPart(context.document.path()));
  context.world.loadWilderness();
  context.state.mode = EditorMode::WorldView;
}

void placeFeatureOnMap(CommandContext& context) {
  // The frozen frame that getpos shows, and what stays on the screen while
  // the script dialog is open, is this pass's frame.
  if (screen && context.backBuffer) {
    blit(context.backBuffer, screen, 0, 0, 0, 0, screen->w, screen->h);
  }
  context.document.apply([&](Map& map) { placeFeature(map, context.scriptHost); });
}

void generateMapFromScript(CommandContext& context) {
  context.document.apply([&](Map& map) { generateCurrentMap(map, context.scriptHost); });
}

void generateWorldFromScript(CommandContext& context) {
  // The current map may be one of the files written and is opened again.
  if (!mayDiscardChanges(context)) return;
  // The warning is a question: Cancel does nothing at all.
  SilentMessageBox warningShown;
  MessageBox* warning = &context.platform.messages;
  if (Question* questions = context.platform.questions) {
    if (questions->ask(kWorldGenerationWarning, {"OK", "Cancel"}) != 0) return;
    warning = &warningShown;
  }
  std::string path = context.document.path();
  WorldGenerationResult result = generateWorldMap(path.c_str(), context.scriptHost, *warning);
  if (result.filesWritten > 0 && context.document.hasFile()) {
    openMap(context, path, OpenedKind::AsFile, AskFirst::No);
  }
  if (!result.failures.empty()) {
    std::string message = std::string(kWorldNotWrittenMessage) + result.failures.front().path +
                          ": " + result.failures.front().reason;
    context.platform.messages.showMessage(message.c_str());
  }
}

void transformWorldFromScript(CommandContext& context) {
  if (!mayDiscardChanges(context)) return;
  std::string path = context.document.path();
  WorldTransformResult result =
      transformWorldMap(path.c_str(), context.scriptHost, context.platform.messages);
  if (!result.scriptRan) return;
  if (context.document.hasFile()) openMap(context, path, OpenedKind::AsFile, AskFirst::No);
  if (context.state.mode == EditorMode::WorldView) viewWorldMap(context);
  if (!result.failures.empty()) {
    std::string message = std::string(kTransformFailedMessage) +
                          std::to_string(result.failures.size()) + ", first " +
                          result.failures.front().path + ": " + result.failures.front().reason;
    context.platform.messages.showMessage(message.c_str());
  }
}

}  // namespace vek
