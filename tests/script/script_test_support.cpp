#include "script_test_support.h"

#include <angelscript.h>

namespace vek::test {

ScriptHarness::ScriptHarness() : grid(std::make_unique<ScriptGrid>()) {
  ScriptHost::Options options;
  options.registerExtras = [this](asIScriptEngine& engine) {
    return engine.RegisterGlobalFunction("void record(const string &in)",
                                         asMETHOD(ScriptHarness, record),
                                         asCALL_THISCALL_ASGLOBAL, this) >= 0 &&
           engine.RegisterGlobalFunction("void recordInt(int)", asMETHOD(ScriptHarness, recordInt),
                                         asCALL_THISCALL_ASGLOBAL, this) >= 0 &&
           engine.RegisterGlobalFunction("void recordFlag(bool)",
                                         asMETHOD(ScriptHarness, recordFlag),
                                         asCALL_THISCALL_ASGLOBAL, this) >= 0;
  };
  host = std::make_unique<ScriptHost>(*grid, Platform{files, messages, fixedPointer}, options);
}

void ScriptHarness::record(const ScriptStringValue& text) { records.push_back(text.text()); }

void ScriptHarness::recordInt(int value) { records.push_back(std::to_string(value)); }

void ScriptHarness::recordFlag(bool value) { records.push_back(value ? "true" : "false"); }

std::string ScriptHarness::addScript(const std::string& text, const std::string& name) {
  std::string path = dir.file(name);
  writeFileBytes(path, text);
  files.answer(path);
  return path;
}

std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

bool ScriptHarness::run(const std::string& text) {
  addScript(text);
  return host->runScript();
}

}  // namespace vek::test
