#include "script_host.h"

#include <angelscript.h>

#include <optional>
#include <string>

#include "map/map_naming.h"
#include "script/script_api.h"
#include "script/script_build_probe.h"
#include "script/script_messages.h"
#include "script/script_nesting.h"
#include "script/script_source.h"
#include "script/script_string.h"

namespace vek {
namespace {

ScriptDiagnostic::Kind diagnosticKind(asEMsgType type) {
  switch (type) {
    case asMSGTYPE_ERROR: return ScriptDiagnostic::Kind::Error;
    case asMSGTYPE_WARNING: return ScriptDiagnostic::Kind::Warning;
    case asMSGTYPE_INFORMATION: break;
  }
  return ScriptDiagnostic::Kind::Information;
}

bool countsAsRun(ScriptOutcome outcome) {
  return outcome == ScriptOutcome::NoMain || outcome == ScriptOutcome::Finished ||
         outcome == ScriptOutcome::StoppedByException;
}

}  // namespace

ScriptHost::ScriptHost(ScriptGrid& grid, const Platform& platform)
    : ScriptHost(grid, platform, Options{}) {}

ScriptHost::ScriptHost(ScriptGrid& grid, const Platform& platform, Options options)
    : grid_(grid), platform_(platform), options_(std::move(options)) {}

bool ScriptHost::runScript() {
  report_ = ScriptRunReport{};
  abortRequested_ = false;
  running_ = true;
  // The API object is bound to the engine's functions, so it outlives it.
  ScriptApi api(grid_, platform_.messages, platform_.pointer, stop_);
  asIScriptEngine* engine = asCreateScriptEngine(ANGELSCRIPT_VERSION);
  ScriptOutcome outcome = ScriptOutcome::EngineFailed;
  if (!engine) {
    fail(kErrorAddingScript);
  } else {
    outcome = run(*engine, api);
    engine->ShutDownAndRelease();
  }
  running_ = false;
  stop_.reset();
  report_.outcome = outcome;
  return countsAsRun(outcome);
}

ScriptOutcome ScriptHost::run(asIScriptEngine& engine, ScriptApi& api) {
  // A failed registration is reported through this callback too. Nothing
  // follows a run line by line (a stop suspends it at a loop or call), so
  // the bytecode leaves out the line cues between statements, which a
  // script pays for on each one.
  bool configured =
      engine.SetMessageCallback(asMETHOD(ScriptHost, onEngineMessage), this, asCALL_THISCALL) >=
          0 &&
      engine.SetEngineProperty(asEP_BUILD_WITHOUT_LINE_CUES, true) >= 0 &&
      engine.SetEngineProperty(asEP_INIT_GLOBAL_VARS_AFTER_BUILD, false) >= 0 &&
      registerScriptString(engine) && api.registerWith(engine) &&
      (!options_.registerExtras || options_.registerExtras(engine));
  if (!configured) {
    fail(kErrorAddingScript);
    return ScriptOutcome::EngineFailed;
  }

  char path[kPathCapacity] = "";
  if (!platform_.files.chooseFile(kScriptDialogTitle, kScriptExtension, path, sizeof path)) {
    return ScriptOutcome::Cancelled;
  }
  path[sizeof path - 1] = '\0';
  report_.scriptPath = path;

  ScriptCode code;
  switch (readScriptFile(path, code)) {
    case ScriptReadResult::Read: break;
    case ScriptReadResult::OpenFailed: fail(kErrorOpeningScript); return ScriptOutcome::OpenFailed;
    case ScriptReadResult::LoadFailed: fail(kErrorLoadingScript); return ScriptOutcome::LoadFailed;
  }

  // Refused before the engine sees it: the engine's parser and compiler
  // would run out of stack on it and crash the program.
  if (std::optional<ScriptPosition> deep =
          findNestingBeyond(code.data(), code.size() - 1, kMaxScriptNesting)) {
    addDiagnostic({ScriptDiagnostic::Kind::Error, kScriptSectionName, deep->line, deep->column,
                   "nested more than " + std::to_string(kMaxScriptNesting) +
                       " levels deep here (brackets, statements, conditions and assignments "
                       "within each other); the script engine cannot build that"});
    return buildFailed();
  }

  if (options_.stopWatch) options_.stopWatch->watch(stop_);
  ScriptOutcome outcome = buildAndExecute(engine, code);
  if (options_.stopWatch) options_.stopWatch->unwatch();
  if (outcome == ScriptOutcome::Stopped) fail(kScriptStopped);
  return outcome;
}

ScriptOutcome ScriptHost::buildAndExecute(asIScriptEngine& engine, const std::vector<char>& code) {
  BuildProbe probe = probeScriptBuild(engine, kScriptModuleName, kScriptSectionName, code.data(),
                                      code.size() - 1);
  if (probe.result == BuildProbeResult::Crashed) {
    for (ScriptDiagnostic& diagnostic : probe.diagnostics) addDiagnostic(std::move(diagnostic));
    addDiagnostic({ScriptDiagnostic::Kind::Error, kScriptSectionName, 0, 0,
                   "the script engine broke down while building this script (a fault of the "
                   "engine that the errors above may have led to)"});
    return buildFailed();
  }

  asIScriptModule* module = engine.GetModule(kScriptModuleName, asGM_ALWAYS_CREATE);
  // The code is terminated, so even an empty file (for which the engine
  // falls back to the terminator) is read only within the buffer.
  if (!module || module->AddScriptSection(kScriptSectionName, code.data(), code.size() - 1, 0) < 0) {
    fail(kErrorAddingScript);
    return ScriptOutcome::AddFailed;
  }
  if (stop_.requested()) return ScriptOutcome::Stopped;
  if (module->Build() < 0) return buildFailed();
  return execute(engine, *module);
}

ScriptOutcome ScriptHost::buildFailed() {
  if (stop_.requested()) return ScriptOutcome::Stopped;
  if (abortRequested_) return ScriptOutcome::Aborted;
  fail(options_.callerReportsDetails
           ? std::string(kErrorBuildingScript)
           : buildFailureMessage(report_.scriptPath, report_.diagnostics, kShownDiagnostics));
  return ScriptOutcome::BuildFailed;
}

ScriptOutcome ScriptHost::execute(asIScriptEngine& engine, asIScriptModule& module) {
  // Taken from the engine's context pool: a caller that installs context
  // callbacks on the engine (a statement budget, say) governs it.
  asIScriptContext* context = engine.RequestContext();
  if (!context) {
    fail(kErrorAddingScript);
    return ScriptOutcome::EngineFailed;
  }
  ScriptOutcome outcome = executeIn(*context, module);
  stop_.attach(nullptr);
  if (context->GetState() == asEXECUTION_SUSPENDED) context->Abort();
  engine.ReturnContext(context);
  return outcome;
}

ScriptOutcome ScriptHost::executeIn(asIScriptContext& context, asIScriptModule& module) {
  // The globals' initialisers run here rather than in the build, in a
  // context that a stop can reach; they may call host functions (and so
  // abort the run). Their failures are reported as build errors.
  stop_.attach(&context);
  int initialised = module.ResetGlobalVars(&context);
  if (stop_.requested()) return ScriptOutcome::Stopped;
  if (initialised < 0) return buildFailed();

  asIScriptFunction* entry = module.GetFunctionByDecl(kScriptEntryDeclaration);
  if (!entry) return ScriptOutcome::NoMain;
  int result = context.Prepare(entry);
  // Preparing forgets a suspension: the stop is asked again.
  stop_.attach(&context);
  if (result >= 0) result = context.Execute();

  if (stop_.requested()) return ScriptOutcome::Stopped;
  if (abortRequested_) return ScriptOutcome::Aborted;
  if (result == asEXECUTION_EXCEPTION) {
    reportException(context);
    return ScriptOutcome::StoppedByException;
  }
  return ScriptOutcome::Finished;
}

void ScriptHost::reportException(asIScriptContext& context) {
  report_.exceptionText = context.GetExceptionString() ? context.GetExceptionString() : "";
  const asIScriptFunction* where = context.GetExceptionFunction();
  report_.exceptionFunction = where ? where->GetDeclaration() : "";
  report_.exceptionLine = context.GetExceptionLineNumber();
  if (!options_.callerReportsDetails) fail(exceptionMessage(report_));
}

void ScriptHost::abortRun(const std::string& reason) {
  if (!running_ || abortRequested_) return;
  abortRequested_ = true;
  report_.abortReason = reason;
  // The context that called the host function: main's, or the one that
  // runs the globals' initialisers during the build.
  if (asIScriptContext* context = asGetActiveContext()) context->Abort();
}

void ScriptHost::fail(const std::string& message) {
  MessageBox& box = options_.failureMessages ? *options_.failureMessages : platform_.messages;
  box.showMessage(message.c_str());
}

void ScriptHost::onEngineMessage(const asSMessageInfo* message) {
  addDiagnostic({diagnosticKind(message->type), message->section ? message->section : "",
                 message->row, message->col, message->message ? message->message : ""});
}

void ScriptHost::addDiagnostic(ScriptDiagnostic diagnostic) {
  if (options_.onDiagnostic) options_.onDiagnostic(diagnostic);
  report_.diagnostics.push_back(std::move(diagnostic));
}

}  // namespace vek
