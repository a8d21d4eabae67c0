#include "check_report.h"

namespace vek {
namespace {

// A JSON string. Names in maps are raw bytes: control characters and bytes
// above 127 are escaped one by one, so the output is always valid UTF-8.
std::string jsonString(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 32 || c >= 127) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace

std::string checkReportText(const WorldCheck& check) {
  std::string out;
  for (const WorldProblem& problem : check.problems) {
    out += problem.file + ": " + (problem.isWarning() ? "warning: " : "") + problem.text + "\n";
  }
  out += std::to_string(check.mapFiles) + " map files, " + std::to_string(check.problemCount()) +
         " problems, " + std::to_string(check.warningCount()) + " warnings\n";
  return out;
}

std::string checkReportJson(const std::string& folder, const WorldCheck& check) {
  std::string out = "{\"folder\": " + jsonString(folder) +
                    ", \"mapFiles\": " + std::to_string(check.mapFiles) +
                    ", \"problemCount\": " + std::to_string(check.problemCount()) +
                    ", \"warningCount\": " + std::to_string(check.warningCount()) +
                    ", \"problems\": [";
  const char* separator = "\n  ";
  for (const WorldProblem& problem : check.problems) {
    out += separator;
    out += "{\"file\": " + jsonString(problem.file) + ", \"kind\": \"" +
           worldProblemKindName(problem.kind) + "\", \"severity\": \"" +
           (problem.isWarning() ? "warning" : "problem") + "\", \"text\": " +
           jsonString(problem.text) + "}";
    separator = ",\n  ";
  }
  out += check.problems.empty() ? "]}\n" : "\n]}\n";
  return out;
}

}  // namespace vek
