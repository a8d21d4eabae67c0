#include "script/script_messages.h"

namespace vek {
namespace {

std::string fileName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string place(const std::string& name, const ScriptDiagnostic& diagnostic) {
  if (diagnostic.line <= 0) return name;
  return name + ":" + std::to_string(diagnostic.line) + ":" + std::to_string(diagnostic.column);
}

}  // namespace

std::string buildFailureMessage(const std::string& scriptPath,
                                const std::vector<ScriptDiagnostic>& diagnostics, int limit) {
  std::string message = kErrorBuildingScript;
  std::string name = fileName(scriptPath);
  int errors = 0;
  for (const ScriptDiagnostic& diagnostic : diagnostics) {
    if (diagnostic.kind != ScriptDiagnostic::Kind::Error) continue;
    if (++errors <= limit) message += "\n" + place(name, diagnostic) + ": " + diagnostic.text;
  }
  if (errors > limit) message += "\n(" + std::to_string(errors - limit) + " more errors)";
  return message;
}

std::string exceptionMessage(const ScriptRunReport& report) {
  return "Script exception at " + fileName(report.scriptPath) + ":" +
         std::to_string(report.exceptionLine) + " (in " + report.exceptionFunction +
         "): " + report.exceptionText + ". What the script did before it stays.";
}

}  // namespace vek
