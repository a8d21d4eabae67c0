#pragma once

// Scripted platform services and a small harness that runs scripts through
// the real host and engine.

#include <memory>
#include <string>
#include <vector>

#include "platform_fakes.h"
#include "script/script_grid.h"
#include "script/script_host.h"
#include "script/script_string_value.h"
#include "temp_dir.h"

namespace vek::test {

// A host over its own grid (not the program's one) with scripted services.
// Scripts can also call record(string), recordInt(int) and recordFlag(bool),
// which append to records, so a test compares what the script computed.
class ScriptHarness {
 public:
  ScriptHarness();

  // Writes text as a script file and queues it as the dialog's answer.
  std::string addScript(const std::string& text, const std::string& name = "script.as");
  // addScript, then one run; gives runScript's result.
  bool run(const std::string& text);

  TempDir dir;
  ScriptedFileDialog files;
  RecordingMessageBox messages;
  FixedPointer fixedPointer;
  std::unique_ptr<ScriptGrid> grid;
  std::vector<std::string> records;
  std::unique_ptr<ScriptHost> host;

  // void record(const string &in)
  void record(const ScriptStringValue& text);
  // void recordInt(int)
  void recordInt(int value);
  // void recordFlag(bool)
  void recordFlag(bool value);
};

// text, times times over.
std::string repeat(const std::string& text, int times);

}  // namespace vek::test
