// vekbench: times what the editor does over and over, headless, with the
// default tile set and the sample world made afresh in a temporary folder.
//
//   vekbench [--quick] [--json] [--repetitions N] [--world-script FILE]
//            [--benchmark_filter=REGEX ...]
//
// Without --json it prints a table of medians, ratios and targets; with it,
// one flat JSON object of CPU-time medians in nanoseconds. --quick runs
// every case for a few iterations only (it checks that everything runs; its
// figures are rough). Other --benchmark_* options go to Google Benchmark.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "bench_editor.h"
#include "bench_report.h"
#include "bench_world.h"
#include "median_reporter.h"
#include "tools/cli/command_line.h"

namespace {

constexpr const char* kUsage =
    "usage: vekbench [--quick] [--json] [--repetitions N] [--world-script FILE]\n"
    "                [--benchmark_filter=REGEX ...]\n"
    "       vekbench --help | --version\n"
    "\n"
    "Times what the editor does over and over, headless, on the default tile\n"
    "set and a sample world made in a temporary folder, and prints a table of\n"
    "medians with their targets.\n"
    "  --quick          run every case briefly (checks that all run)\n"
    "  --json           print the medians as one JSON object, in nanoseconds\n"
    "  --repetitions N  repeat every case N times (the spread is shown)\n"
    "  --world-script FILE  the world script of the sample world\n"
    "Other --benchmark_* options go to Google Benchmark. Exit status: 0 all\n"
    "cases ran, 1 a case failed, 64 usage error.\n";

struct Options {
  bool json = false;
  vek::bench::RunPlan plan;
  std::string worldScript = VEKBENCH_WORLD_SCRIPT;
  std::vector<char*> benchmarkArgs;  // the program name and the --benchmark_* options
};

// Empty when the arguments follow the usage, else what is wrong.
std::string parseOptions(int argc, char** argv, Options& options) {
  options.benchmarkArgs.push_back(argv[0]);
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--json") {
      options.json = true;
    } else if (arg == "--quick") {
      options.plan.quick = true;
    } else if (arg == "--repetitions" && i + 1 < argc) {
      options.plan.repetitions = std::atoi(argv[++i]);
      if (options.plan.repetitions < 1) return "--repetitions needs a number of at least 1";
    } else if (arg == "--world-script" && i + 1 < argc) {
      options.worldScript = argv[++i];
    } else if (arg.rfind("--benchmark_", 0) == 0) {
      options.benchmarkArgs.push_back(argv[i]);
    } else {
      return "unknown argument " + arg;
    }
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  if (vek::cli::answersHelpOrVersion(argc, argv, "vekbench", kUsage, status)) return status;
  Options options;
  std::string wrong = parseOptions(argc, argv, options);
  if (!wrong.empty()) return vek::cli::usageError("vekbench", wrong, kUsage);
  int benchmarkArgc = static_cast<int>(options.benchmarkArgs.size());
  options.benchmarkArgs.push_back(nullptr);
  benchmark::Initialize(&benchmarkArgc, options.benchmarkArgs.data());
  if (benchmark::ReportUnrecognizedArguments(benchmarkArgc, options.benchmarkArgs.data())) {
    return vek::cli::kExitUsage;
  }

  vek::bench::HeadlessAllegro allegro;
  if (!allegro.started()) {
    std::fprintf(stderr, "vekbench: Allegro did not start: %s\n", allegro_error);
    return 1;
  }
  vek::bench::BenchWorld world;
  std::string error;
  std::fprintf(stderr, "vekbench: making the sample world...\n");
  if (!world.create(options.worldScript, error)) {
    std::fprintf(stderr, "vekbench: %s\n", error.c_str());
    return 1;
  }
  vek::bench::BenchEditors editors{vek::bench::BenchEditor(16, world),
                                   vek::bench::BenchEditor(32, world)};
  vek::bench::registerCases(world, editors, options.plan);

  vek::bench::MedianReporter results;
  std::fprintf(stderr, "vekbench: running the cases...\n");
  benchmark::RunSpecifiedBenchmarks(&results);
  benchmark::Shutdown();

  std::vector<std::string> errors = results.errors();
  for (const std::string& failed : errors) std::fprintf(stderr, "vekbench: %s\n", failed.c_str());
  if (options.json) {
    vek::bench::printJson(stdout, results);
  } else {
    vek::bench::printTable(stdout, results, {options.plan.quick, options.plan.repetitions});
  }
  return errors.empty() ? 0 : 1;
}
