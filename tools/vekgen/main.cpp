// vekgen: runs the editor's generation scripts without a window, for worlds
// built in a pipeline. See the usage text in vekgen_options.cpp.

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ctime>
#include <string>

#include "console_platform.h"
#include "map/map.h"
#include "map/map_naming.h"
#include "script/generation_commands.h"
#include "script/script_host.h"
#include "script/world_transform.h"
#include "vekgen_options.h"

namespace vek {
namespace {

enum ExitStatus { kExitOk = 0, kExitUnusable = 1, kExitNotWritten = 2, kExitUsage = 64 };

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

bool isFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

// After a run that did not count: why, and the status to exit with.
int reportFailedRun(const ScriptRunReport& report) {
  switch (report.outcome) {
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

// The target as a folder part ending in '/'; nothing when it is no folder.
std::optional<std::string> targetFolder(const VekgenOptions& options) {
  if (!isFolder(options.target)) {
    std::fprintf(stderr, "vekgen: %s is not a folder\n", options.target.c_str());
    return std::nullopt;
  }
  std::string folder = options.target;
  if (folder.back() != '/') folder += '/';
  return folder;
}

int runTransform(const VekgenOptions& options, ScriptHost& host, MessageBox& warningBox) {
  std::optional<std::string> folder = targetFolder(options);
  if (!folder) return kExitUnusable;
  WorldTransformResult result = transformWorldMap(folder->c_str(), host, warningBox);
  for (const std::string& path : result.unreadablePaths) {
    std::fprintf(stderr, "vekgen: %s is not a readable map; left as it is\n", path.c_str());
  }
  if (!result.scriptRan) return reportFailedRun(host.lastRun());
  reportException(host.lastRun());
  for (const std::string& path : result.failedPaths) {
    std::fprintf(stderr, "vekgen: cannot write %s\n", path.c_str());
  }
  std::printf("vekgen: %d cells changed; wrote %zu wilderness map files in %s\n",
              result.cellsChanged, result.writtenPaths.size(), folder->c_str());
  return result.failedPaths.empty() ? kExitOk : kExitNotWritten;
}

int runWorld(const VekgenOptions& options, ScriptHost& host, MessageBox& warningBox) {
  std::optional<std::string> target = targetFolder(options);
  if (!target) return kExitUnusable;
  const std::string& folder = *target;
  WorldGenerationResult result = generateWorldMap(folder.c_str(), host, warningBox);
  if (!result.scriptRan) return reportFailedRun(host.lastRun());
  reportException(host.lastRun());
  for (const std::string& path : result.failedPaths) {
    std::fprintf(stderr, "vekgen: cannot write %s; skipped\n", path.c_str());
  }
  std::printf("vekgen: wrote %d of %d wilderness map files in %s\n", result.filesWritten,
              kWorldSide * kWorldSide, folder.c_str());
  return result.failedPaths.empty() ? kExitOk : kExitNotWritten;
}

int runOnMapFile(const VekgenOptions& options, ScriptHost& host) {
  const std::string& path = options.target;
  Map map;
  if (exists(path) && !map.load(path.c_str())) {
    std::fprintf(stderr, "vekgen: %s is not a readable map file; nothing written\n", path.c_str());
    return kExitUnusable;
  }
  bool ran = options.mode == VekgenMode::Feature ? placeFeature(map, host)
                                                 : generateCurrentMap(map, host);
  if (!ran) return reportFailedRun(host.lastRun());
  reportException(host.lastRun());
  if (!map.save(path.c_str())) {
    std::fprintf(stderr, "vekgen: cannot write %s\n", path.c_str());
    return kExitNotWritten;
  }
  std::printf("vekgen: wrote %s\n", path.c_str());
  return kExitOk;
}

int run(int argc, char** argv) {
  std::string error;
  std::optional<VekgenOptions> options = parseVekgenOptions(argc - 1, argv + 1, error);
  if (!options) {
    std::fprintf(stderr, "vekgen: %s\n%s", error.c_str(), kVekgenUsage);
    return kExitUsage;
  }
  if (options->showHelp) {
    std::fputs(kVekgenUsage, stdout);
    return kExitOk;
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
  ScriptHost host(scriptGrid(), platform, hostOptions);
  pointer.attach(host);

  switch (options->mode) {
    case VekgenMode::World: return runWorld(*options, host, warningBox);
    case VekgenMode::Transform: return runTransform(*options, host, warningBox);
    default: return runOnMapFile(*options, host);
  }
}

}  // namespace
}  // namespace vek

int main(int argc, char** argv) { return vek::run(argc, argv); }
