#pragma once

// The benchmark cases, registered with Google Benchmark under the names the
// report and the JSON keys use.

#include "bench_editor.h"
#include "bench_world.h"

namespace vek::bench {

struct RunPlan {
  bool quick = false;     // a few iterations per case, one repetition
  int repetitions = 9;    // otherwise: the median is taken over these
  double minSeconds = 0.2;  // per repetition of a light case
};

// The editors at the two depths, started on the world.
struct BenchEditors {
  BenchEditor depth16;
  BenchEditor depth32;
  BenchEditor& at(int depth) { return depth == 16 ? depth16 : depth32; }
};

// Registers every case; world and editors must outlive the run.
void registerCases(BenchWorld& world, BenchEditors& editors, const RunPlan& plan);

// The number of script calls in one run of the cells script.
inline constexpr double kCellsScriptCalls = 2.0 * 960 * 480;

}  // namespace vek::bench
