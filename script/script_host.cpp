#include "script_host.h"

#include <angelscript.h>

#include <optional>
#include <string>

#include "map/map_naming.h"
#include "script/script_api.h"
#include "script/script_build_probe.h"
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
  ScriptApi api(grid_, platform_.messages, platform_.pointer);
  asIScriptEngine* engine = asCreateScriptEngine(ANGELSCRIPT_VERSION);
  ScriptOutcome outcome = ScriptOutcome::EngineFailed;
  if (!engine) {
    fail(kErrorAddingScript);
  } else {
    outcome = run(*engine, api);
    engine->ShutDownAndRelease();
  }
  running_ = false;
  report_.outcome = outcome;
  return countsAsRun(outcome);
}

ScriptOutcome ScriptHost::run(asIScriptEngine& engine, ScriptApi& api) {
  // A failed registration is reported through this callback too. Nothing
  // suspends a run or follows it line by line, so the bytecode leaves out
  // the line cues between statements, which a script pays for on each one.
  bool configured =
      engine.SetMessageCallback(asMETHOD(ScriptHost, onEngineMessage), this, asCALL_THISCALL) >=
          0 &&
      engine.SetEngineProperty(asEP_BUILD_WITHOUT_LINE_CUES, true) >= 0 &&
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
    fail(kErrorBuildingScript);
    return ScriptOutcome::BuildFailed;
  }

  BuildProbe probe = probeScriptBuild(engine, kScriptModuleName, kScriptSectionName, code.data(),
                                      code.size() - 1);
  if (probe.result == BuildProbeResult::Crashed) {
    for (ScriptDiagnostic& diagnostic : probe.diagnostics) addDiagnostic(std::move(diagnostic));
    addDiagnostic({ScriptDiagnostic::Kind::Error, kScriptSectionName, 0, 0,
                   "the script engine broke down while building this script (a fault of the "
                   "engine that the errors above may have led to)"});
    fail(kErrorBuildingScript);
    return ScriptOutcome::BuildFailed;
  }

  asIScriptModule* module = engine.GetModule(kScriptModuleName, asGM_ALWAYS_CREATE);
  // The code is terminated, so even an empty file (for which the engine
  // falls back to the terminator) is read only within the buffer.
  if (!module || module->AddScriptSection(kScriptSectionName, code.data(), code.size() - 1, 0) < 0) {
    fail(kErrorAddingScript);
    return ScriptOutcome::AddFailed;
  }
  // Building also runs the initialisers of the script's globals, which may
  // call host functions (and so abort the run).
  if (module->Build() < 0) {
    if (abortRequested_) return ScriptOutcome::Aborted;
    fail(kErrorBuildingScript);
    return ScriptOutcome::BuildFailed;
  }
  return execute(engine, *module);
}

ScriptOutcome ScriptHost::execute(asIScriptEngine& engine, asIScriptModule& module) {
  asIScriptFunction* entry = module.GetFunctionByDecl(kScriptEntryDeclaration);
  if (!entry) return ScriptOutcome::NoMain;
  // Taken from the engine's context pool, as the engine takes the context
  // for the globals' initialisers: a caller that installs context callbacks
  // on the engine (a statement budget, say) governs both.
  asIScriptContext* context = engine.RequestContext();
  if (!context) {
    fail(kErrorAddingScript);
    return ScriptOutcome::EngineFailed;
  }

  int result = context->Prepare(entry);
  if (result >= 0) result = context->Execute();

  ScriptOutcome outcome = ScriptOutcome::Finished;
  if (abortRequested_) {
    outcome = ScriptOutcome::Aborted;
  } else if (result == asEXECUTION_EXCEPTION) {
    outcome = ScriptOutcome::StoppedByException;
    report_.exceptionText = context->GetExceptionString() ? context->GetExceptionString() : "";
    const asIScriptFunction* where = context->GetExceptionFunction();
    report_.exceptionFunction = where ? where->GetDeclaration() : "";
    report_.exceptionLine = context->GetExceptionLineNumber();
  }
  engine.ReturnContext(context);
  return outcome;
}

void ScriptHost::abortRun(const std::string& reason) {
  if (!running_ || abortRequested_) return;
  abortRequested_ = true;
  report_.abortReason = reason;
  // The context that called the host function: main's, or the one that
  // runs the globals' initialisers during the build.
  if (asIScriptContext* context = asGetActiveContext()) context->Abort();
}

void ScriptHost::fail(const char* message) {
  MessageBox& box = options_.failureMessages ? *options_.failureMessages : platform_.messages;
  box.showMessage(message);
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
