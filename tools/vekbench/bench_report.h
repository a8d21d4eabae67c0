#pragma once

// What vekbench prints: a table of the medians with the ratios and targets
// that matter, or one flat JSON object of medians in nanoseconds.

#include <cstdio>

#include "median_reporter.h"

namespace vek::bench {

// The header line of the table: how the medians were taken.
struct ReportHeading {
  bool quick = false;
  int repetitions = 0;
};

// The table: every case's CPU and wall-clock median, the settile call cost
// derived from the two call scripts, the ratios and the targets.
void printTable(std::FILE* out, const MedianReporter& results, const ReportHeading& heading);

// {"floor_pass_16": ..., ..., "map_save": ...}: the CPU-time medians in
// nanoseconds under exactly the published keys; null for a case that did
// not run.
void printJson(std::FILE* out, const MedianReporter& results);

}  // namespace vek::bench
