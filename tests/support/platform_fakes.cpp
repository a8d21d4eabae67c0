#include "platform_fakes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vek::test {

bool ScriptedFileDialog::chooseFile(const char* title, const char* extension, char* path,
                                    std::size_t capacity) {
  Call call{std::nullopt, extension ? extension : "", path, capacity};
  if (title) call.title = std::string(title);
  calls.push_back(call);
  if (whileOpen) whileOpen();
  if (answers_.empty()) return false;
  std::optional<std::string> answer = answers_.front();
  answers_.pop_front();
  if (!answer) return false;
  if (answer->size() >= capacity) {
    ADD_FAILURE() << "scripted answer does not fit the dialog's buffer";
    return false;
  }
  std::memcpy(path, answer->c_str(), answer->size() + 1);
  return true;
}

int ScriptedQuestion::ask(const std::string& text, const std::vector<std::string>& answers) {
  asked.push_back({text, answers});
  if (whileOpen) whileOpen();
  std::string wanted = "Discard";
  if (!answers_.empty()) {
    wanted = answers_.front();
    answers_.pop_front();
  }
  for (std::size_t i = 0; i < answers.size(); ++i) {
    if (answers[i] == wanted) return static_cast<int>(i);
  }
  return static_cast<int>(answers.size()) - 1;
}

}  // namespace vek::test
