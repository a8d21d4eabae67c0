#pragma once

// Runs one user-chosen generation script: a fresh AngelScript engine with
// the "string" type and the five map functions, the script dialog, the file
// read whole, one module built and its "void main()" run, and everything
// released again. Nothing survives from one run to the next but what the
// script wrote into the script grid and what it showed the user.

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "script/script_grid.h"
#include "script/script_stop.h"

class asIScriptContext;
class asIScriptEngine;
class asIScriptModule;
struct asSMessageInfo;

namespace vek {

class ScriptApi;

// The texts the user sees when a run fails.
inline constexpr const char* kErrorOpeningScript = "Error opening script";
inline constexpr const char* kErrorLoadingScript = "Error loading script";
inline constexpr const char* kErrorAddingScript = "Error adding script to engine.";
inline constexpr const char* kErrorBuildingScript =
    "Error building script.  This is probably due to a syntax error in the script";
inline constexpr const char* kScriptStopped = "Script stopped.";
// At most this many compiler errors follow the build message.
inline constexpr int kShownDiagnostics = 5;

// The fixed names of a run.
inline constexpr const char* kScriptModuleName = "generatecurrentmap";
inline constexpr const char* kScriptSectionName = "module";
inline constexpr const char* kScriptEntryDeclaration = "void main()";
inline constexpr const char* kScriptDialogTitle = "Select AngelScript file";
inline constexpr const char* kScriptExtension = "as";

// How a run ended. The last three count as a run (runScript gives true).
enum class ScriptOutcome {
  Cancelled,        // the dialog was cancelled: nothing shown
  EngineFailed,     // no engine, or a registration failed: kErrorAddingScript
  OpenFailed,       // kErrorOpeningScript
  LoadFailed,       // kErrorLoadingScript
  AddFailed,        // kErrorAddingScript
  BuildFailed,      // kErrorBuildingScript
  Aborted,          // a host service called abortRun(): nothing shown
  Stopped,          // the stop was requested: kScriptStopped
  NoMain,           // built, but there is no "void main()": no script code ran
  Finished,         // main returned
  StoppedByException,  // main raised a script exception; earlier writes stay
};

// One message of the compiler (or of a failed registration).
struct ScriptDiagnostic {
  enum class Kind { Error, Warning, Information };
  Kind kind;
  std::string section;  // "module" for the script's own text
  int line;             // from 1; 0 when the message concerns no line
  int column;
  std::string text;
};

// What the caller can learn about the last run.
struct ScriptRunReport {
  ScriptOutcome outcome = ScriptOutcome::Cancelled;
  std::string scriptPath;  // the file chosen in the dialog
  std::vector<ScriptDiagnostic> diagnostics;
  // For StoppedByException: the exception's text, the function and line.
  std::string exceptionText;
  std::string exceptionFunction;
  int exceptionLine = 0;
  // For Aborted: the reason given to abortRun().
  std::string abortReason;
};

class ScriptHost {
 public:
  struct Options {
    // Receives each compiler diagnostic as it comes (the report keeps them
    // too). The editor shows none; the command-line runner prints them.
    std::function<void(const ScriptDiagnostic&)> onDiagnostic;
    // Where the host's own failure messages go; the platform's message box
    // when null. (The script's message() always uses the platform's box.)
    MessageBox* failureMessages = nullptr;
    // The caller reports compiler diagnostics and script exceptions itself
    // (vekgen prints them as they come); the host's build message then
    // keeps to its first line and an exception shows nothing.
    bool callerReportsDetails = false;
    // Watches for a stop while the script is built and run (the editor:
    // Escape and the close button).
    StopWatch* stopWatch = nullptr;
    // Registers more on each run's engine, after the string type and the
    // five functions (tests register their own checks this way). False
    // means a registration failed.
    std::function<bool(asIScriptEngine&)> registerExtras;
  };

  // grid is the grid the script's settile and gettile work on; the
  // platform gives the script dialog, the message box and the pointer wait.
  ScriptHost(ScriptGrid& grid, const Platform& platform);
  ScriptHost(ScriptGrid& grid, const Platform& platform, Options options);
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  // One run, as the three generation commands need it: true when the script
  // was built and handed to the engine to run (also when it had no main or
  // stopped with an exception), false when the dialog was cancelled or any
  // step up to and including the build failed, or the run was aborted.
  bool runScript();

  const ScriptRunReport& lastRun() const { return report_; }
  ScriptGrid& grid() { return grid_; }
  // Stops the running script from any thread: the run then counts as
  // failed (runScript gives false) and shows kScriptStopped. A request
  // made outside a run stops the next one; each run forgets it at its end.
  ScriptStop& stop() { return stop_; }

  // Ends the running script once the host function that calls this returns
  // (also when it runs a global variable's initialiser); the run then
  // counts as failed (runScript gives false, nothing is shown) and the
  // commands copy nothing. Only for host services called by a script;
  // ignored outside a run.
  void abortRun(const std::string& reason);

 private:
  ScriptOutcome run(asIScriptEngine& engine, ScriptApi& api);
  ScriptOutcome buildAndExecute(asIScriptEngine& engine, const std::vector<char>& code);
  ScriptOutcome execute(asIScriptEngine& engine, asIScriptModule& module);
  ScriptOutcome executeIn(asIScriptContext& context, asIScriptModule& module);
  ScriptOutcome buildFailed();
  void reportException(asIScriptContext& context);
  void fail(const std::string& message);
  void onEngineMessage(const asSMessageInfo* message);
  void addDiagnostic(ScriptDiagnostic diagnostic);

  ScriptGrid& grid_;
  Platform platform_;
  Options options_;
  ScriptRunReport report_;
  ScriptStop stop_;
  bool running_ = false;
  bool abortRequested_ = false;
};

}  // namespace vek
