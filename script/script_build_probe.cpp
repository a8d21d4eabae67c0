#include "script/script_build_probe.h"

#include <angelscript.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <string>

namespace vek {
namespace {

// The child's exit statuses; anything else (a signal above all) is a crash.
constexpr int kChildBuilt = 0;
constexpr int kChildBuildFailed = 1;

// The most of the child's diagnostics kept: a script can make the compiler
// say a great deal.
constexpr std::size_t kMaxDiagnosticBytes = 1 << 20;

// One diagnostic per line, its fields separated by tabs.
std::string oneLine(const char* text) {
  std::string line = text ? text : "";
  for (char& c : line) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

void sendDiagnostic(const asSMessageInfo* message, void* pipeFd) {
  std::string record = std::to_string(static_cast<int>(message->type)) + '\t' +
                       std::to_string(message->row) + '\t' + std::to_string(message->col) +
                       '\t' + oneLine(message->section) + '\t' + oneLine(message->message) + '\n';
  const char* data = record.data();
  std::size_t left = record.size();
  while (left > 0) {
    ssize_t written = ::write(*static_cast<int*>(pipeFd), data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

[[noreturn]] void buildInChild(asIScriptEngine& engine, int pipeFd, const char* moduleName,
                               const char* sectionName, const char* code, std::size_t length) {
  // A crash must end the child quietly, not run the handlers of the parent
  // (a sanitizer's or a fuzzer's report, say).
  for (int number : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL, SIGTRAP, SIGSYS}) {
    ::signal(number, SIG_DFL);
  }
  int devNull = ::open("/dev/null", O_WRONLY);
  if (devNull >= 0) {
    ::dup2(devNull, STDOUT_FILENO);
    ::dup2(devNull, STDERR_FILENO);
  }
  engine.SetMessageCallback(asFUNCTION(sendDiagnostic), &pipeFd, asCALL_CDECL);
  engine.SetEngineProperty(asEP_INIT_GLOBAL_VARS_AFTER_BUILD, false);
  asIScriptModule* module = engine.GetModule(moduleName, asGM_ALWAYS_CREATE);
  bool built = module && module->AddScriptSection(sectionName, code, length, 0) >= 0 &&
               module->Build() >= 0;
  // No destructors, no exit handlers: the parent's state is not the child's
  // to tidy up.
  ::_exit(built ? kChildBuilt : kChildBuildFailed);
}

ScriptDiagnostic::Kind kindOf(int type) {
  if (type == asMSGTYPE_ERROR) return ScriptDiagnostic::Kind::Error;
  if (type == asMSGTYPE_WARNING) return ScriptDiagnostic::Kind::Warning;
  return ScriptDiagnostic::Kind::Information;
}

std::vector<ScriptDiagnostic> parseDiagnostics(const std::string& received) {
  std::vector<ScriptDiagnostic> diagnostics;
  std::istringstream lines(received);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string type, row, column, section, text;
    if (!std::getline(fields, type, '\t') || !std::getline(fields, row, '\t') ||
        !std::getline(fields, column, '\t') || !std::getline(fields, section, '\t')) {
      continue;  // the last line, cut short by the crash
    }
    std::getline(fields, text);
    diagnostics.push_back({kindOf(std::atoi(type.c_str())), section, std::atoi(row.c_str()),
                           std::atoi(column.c_str()), text});
  }
  return diagnostics;
}

// Everything the child writes, until it ends (and with it the pipe).
std::string readUntilClosed(int fd) {
  std::string received;
  char buffer[4096];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    std::size_t room = kMaxDiagnosticBytes - received.size();
    received.append(buffer, std::min(room, static_cast<std::size_t>(got)));
  }
  return received;
}

}  // namespace

BuildProbe probeScriptBuild(asIScriptEngine& engine, const char* moduleName,
                            const char* sectionName, const char* code, std::size_t length) {
  BuildProbe probe;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return probe;
  pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return probe;
  }
  if (child == 0) {
    ::close(fds[0]);
    buildInChild(engine, fds[1], moduleName, sectionName, code, length);
  }
  ::close(fds[1]);
  std::string received = readUntilClosed(fds[0]);
  ::close(fds[0]);

  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return probe;
  }
  bool survived = WIFEXITED(status) && (WEXITSTATUS(status) == kChildBuilt ||
                                        WEXITSTATUS(status) == kChildBuildFailed);
  probe.result = survived ? BuildProbeResult::Survived : BuildProbeResult::Crashed;
  if (!survived) probe.diagnostics = parseDiagnostics(received);
  return probe;
}

}  // namespace vek
