#include "app/unsaved_changes.h"

#include <cstdio>
#include <vector>

#include "app/commands.h"

namespace vek {
namespace {

enum Answer { kSave, kDiscard, kCancel };

std::string fileName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string saveChangesQuestion(const MapDocument& document) {
  std::string name = document.hasFile() ? fileName(document.path()) : kUnnamedMap;
  std::vector<char> text(name.size() + 64);
  std::snprintf(text.data(), text.size(), kSaveChangesQuestion, name.c_str());
  return text.data();
}

bool mayDiscardChanges(CommandContext& context) {
  MapDocument& document = context.document;
  document.endStep();
  if (!document.isModified() || !context.platform.questions) return true;
  std::vector<std::string> answers = {"Save", "Discard", "Cancel"};
  // Without a file there is nothing to save to: the answers start at Discard.
  int first = document.hasFile() ? kSave : kDiscard;
  answers.erase(answers.begin(), answers.begin() + first);
  int answer = first + context.platform.questions->ask(saveChangesQuestion(document), answers);
  switch (answer) {
    case kSave:
      if (document.save()) return true;
      context.platform.messages.showMessage(
          (std::string(kSaveFailedMessage) + document.path()).c_str());
      return false;
    case kDiscard:
      return true;
    default:
      return false;
  }
}

}  // namespace vek
