// vekgen: runs the editor's generation scripts without a window, for worlds
// built in a pipeline. See the usage text in vekgen_options.cpp.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "console_platform.h"
#include "run_limits.h"
#include "map/map.h"
#include "map/map_file_check.h"
#include "map/map_naming.h"
#include "script/generation_commands.h"
#include "script/script_host.h"
#include "script/world_transform.h"
#include "tools/cli/command_line.h"
#include "vekgen_options.h"

namespace vek {
namespace {

enum ExitStatus { kExitOk = 0, kExitUnusable = 1, kExitNotWritten = 2, kExitTimedOut = 3 };
constexpr int kExitSignalBase = 128;

void printDiagnostic(const std::string& scriptPath, const ScriptDiagnostic& diagnostic) {
  const char* kind = diagnostic.kind == ScriptDiagnostic::Kind::Error     ? "error"
                     : diagnostic.kind == ScriptDiagnostic::Kind::Warning ? "warning"
                                                                          : "note";
  if (diagnostic.line > 0) {
    std::fprintf(stderr, "%s:%d:%d: %s: %s\n", scriptPath.c_str(), diagnostic.line,
                 diagnostic.column, kind, diagnostic.text.c_str());
  } else {
    std::fprintf(stderr, "vekgen: %s: %s\n", kind, diagnostic.text.c_str());
  }
}

// Why path cannot be used as a folder; empty when it can.
std::string whyNotFolder(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
  return S_ISDIR(info.st_mode) ? "" : "not a folder";
}

// Why the script cannot be read; empty when it can.
std::string whyUnreadable(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::strerror(errno);
  struct stat info;
  bool folder = ::fstat(::fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
  std::fclose(file);
  return folder ? std::strerror(EISDIR) : "";
}

bool exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

// After a run that did not count: why, and the status to exit with.
int reportFailedRun(const ScriptRunReport& report, const RunLimits& limits) {
  switch (report.outcome) {
    case ScriptOutcome::Stopped:
      if (limits.reason() == RunLimits::Reason::Signalled) {
        std::fprintf(stderr, "vekgen: stopped by signal %d (%s); nothing written\n",
                     limits.signal(), strsignal(limits.signal()));
        return kExitSignalBase + limits.signal();
      }
      std::fprintf(stderr, "vekgen: stopped at the time limit; nothing written\n");
      return kExitTimedOut;
    case ScriptOutcome::Cancelled:
      std::fprintf(stderr, "vekgen: the script path is too long\n");
      break;
    case ScriptOutcome::Aborted:
      std::fprintf(stderr, "vekgen: %s\n", report.abortReason.c_str());
      break;
    default:
      break;  // the host's own message and the diagnostics are printed already
  }
  std::fprintf(stderr, "vekgen: nothing written\n");
  return kExitUnusable;
}

void reportException(const ScriptRunReport& report) {
  if (report.outcome != ScriptOutcome::StoppedByException) return;
  std::fprintf(stderr, "%s:%d: script exception in %s: %s (the cells set before it are written)\n",
               report.scriptPath.c_str(), report.exceptionLine, report.exceptionFunction.c_str(),
               report.exceptionText.c_str());
}

// A world write that failed changed no map: which file, and why.
void reportWriteFailures(const std::vector<FailedFile>& failures, const std::string& folder,
                         bool noneWritten) {
  for (const FailedFile& failure : failures) {
    std::fprintf(stderr, "vekgen: cannot write %s: %s\n", failure.path.c_str(),
                 failure.reason.c_str());
  }
  if (!failures.empty() && noneWritten) std::fprintf(stderr, "vekgen: no map of %s was changed\n", folder.c_str());
}

// The target as a folder part ending in '/'; nothing when it is no folder.
std::optional<std::string> targetFolder(const VekgenOptions& options) {
  std::string notFolder = whyNotFolder(options.target);
  if (!notFolder.empty()) {
    std::fprintf(stderr, "vekgen: cannot write into %s: %s\n", options.target.c_str(),
                 notFolder.c_str());
    return std::nullopt;
  }
  std::string folder = options.target;
  if (folder.back() != '/') folder += '/';
  return folder;
}

int runTransform(const VekgenOptions& options, ScriptHost& host, MessageBox& warningBox,
                 const RunLimits& limits) {
  std::optional<std::string> folder = targetFolder(options);
  if (!folder) return kExitUnusable;
  WorldTransformResult result = transformWorldMap(folder->c_str(), host, warningBox);
  for (const std::string& path : result.unreadablePaths) {
    std::fprintf(stderr, "vekgen: %s is not a readable map; left as it is\n", path.c_str());
  }
  if (!result.scriptRan) return reportFailedRun(host.lastRun(), limits);
  reportException(host.lastRun());
  reportWriteFailures(result.failures, *folder, result.writtenPaths.empty());
  if (result.failures.empty()) {
    std::printf("vekgen: %d cells changed; wrote %zu wilderness map files in %s\n",
                result.cellsChanged, result.writtenPaths.size(), folder->c_str());
  }
  return result.failures.empty() ? kExitOk : kExitNotWritten;
}

int runWorld(const VekgenOptions& options, ScriptHost& host, MessageBox& warningBox,
             const RunLimits& limits) {
  std::optional<std::string> target = targetFolder(options);
  if (!target) return kExitUnusable;
  const std::string& folder = *target;
  WorldGenerationResult result = generateWorldMap(folder.c_str(), host, warningBox);
  if (!result.scriptRan) return reportFailedRun(host.lastRun(), limits);
  reportException(host.lastRun());
  reportWriteFailures(result.failures, folder, result.filesWritten == 0);
  if (result.failures.empty()) {
    std::printf("vekgen: wrote %d of %d wilderness map files in %s\n", result.filesWritten,
                kWorldSide * kWorldSide, folder.c_str());
  }
  return result.failures.empty() ? kExitOk : kExitNotWritten;
}

int runOnMapFile(const VekgenOptions& options, ScriptHost& host, const RunLimits& limits) {
  const std::string& path = options.target;
  Map map;
  if (exists(path)) {
    // The editor refuses the same files with the same reasons.
    std::optional<std::string> problem = mapFileProblem(path.c_str());
    if (problem || !map.load(path.c_str())) {
      std::fprintf(stderr, "vekgen: %s is not a readable map file%s%s; nothing written\n",
                   path.c_str(), problem ? ": " : "", problem ? problem->c_str() : "");
      return kExitUnusable;
    }
  }
  bool ran = options.mode == VekgenMode::Feature ? placeFeature(map, host)
                                                 : generateCurrentMap(map, host);
  if (!ran) return reportFailedRun(host.lastRun(), limits);
  reportException(host.lastRun());
  std::string reason;
  if (!map.save(path.c_str(), &reason)) {
    std::fprintf(stderr, "vekgen: cannot write %s: %s\n", path.c_str(), reason.c_str());
    return kExitNotWritten;
  }
  std::printf("vekgen: wrote %s\n", path.c_str());
  return kExitOk;
}

int run(int argc, char** argv) {
  int status = 0;
  if (cli::answersHelpOrVersion(argc, argv, "vekgen", kVekgenUsage, status)) return status;
  std::string error;
  std::optional<VekgenOptions> options = parseVekgenOptions(argc - 1, argv + 1, error);
  if (!options) return cli::usageError("vekgen", error, kVekgenUsage);
  if (options->showHelp) {
    std::fputs(kVekgenUsage, stdout);
    return kExitOk;
  }
  std::string unreadable = whyUnreadable(options->scriptPath);
  if (!unreadable.empty()) {
    std::fprintf(stderr, "vekgen: cannot read %s: %s; nothing written\n",
                 options->scriptPath.c_str(), unreadable.c_str());
    return kExitUnusable;
  }
  // The one seeding of the program; script runs continue its sequence.
  std::srand(options->seed ? *options->seed : static_cast<unsigned>(std::time(nullptr)));

  FixedFileDialog dialog(options->scriptPath);
  StreamMessageBox scriptMessages(stdout, "");
  StreamMessageBox failures(stderr, "vekgen: ");
  SilentMessageBox warningBox;
  FixedPointer pointer(options->posX, options->posY);
  Platform platform{dialog, scriptMessages, pointer};

  ScriptHost::Options hostOptions;
  hostOptions.failureMessages = &failures;
  hostOptions.onDiagnostic = [&](const ScriptDiagnostic& diagnostic) {
    printDiagnostic(options->scriptPath, diagnostic);
  };
  hostOptions.callerReportsDetails = true;
  ScriptHost host(scriptGrid(), platform, hostOptions);
  pointer.attach(host);
  RunLimits limits(host.stop(), options->timeoutSeconds);

  int ranWith = kExitOk;
  switch (options->mode) {
    case VekgenMode::World: ranWith = runWorld(*options, host, warningBox, limits); break;
    case VekgenMode::Transform: ranWith = runTransform(*options, host, warningBox, limits); break;
    default: ranWith = runOnMapFile(*options, host, limits); break;
  }
  // A signal during the write let it finish; it still ends the program so.
  if (limits.reason() == RunLimits::Reason::Signalled) return kExitSignalBase + limits.signal();
  return ranWith;
}

}  // namespace
}  // namespace vek

int main(int argc, char** argv) { return vek::run(argc, argv); }
