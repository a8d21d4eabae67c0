#pragma once

// Collects Google Benchmark's runs instead of printing them: for each case,
// the time of one iteration in every repetition, reduced to medians.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vek::bench {

struct CaseTimes {
  std::vector<double> cpuSeconds;   // per iteration, one entry per repetition
  std::vector<double> wallSeconds;
  long long iterations = 0;         // over all repetitions
  std::string error;                // set when the case reported an error
};

struct CaseMedians {
  double cpuNanoseconds = 0;   // process CPU time: what the work costs
  double wallNanoseconds = 0;  // wall-clock time: inflated by other load
  double cpuLowest = 0;        // the fastest and slowest repetition (CPU)
  double cpuHighest = 0;
  int repetitions = 0;
  long long iterations = 0;
};

class MedianReporter : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context&) override { return true; }
  // Keeps the runs of each repetition; the aggregates Google Benchmark
  // computes are ignored, since a single repetition has none.
  void ReportRuns(const std::vector<Run>& runs) override;

  const std::map<std::string, CaseTimes>& cases() const { return cases_; }
  // Nothing when the case did not run or failed.
  bool medians(const std::string& name, CaseMedians& out) const;
  // The cases that reported an error, with its text.
  std::vector<std::string> errors() const;

 private:
  std::map<std::string, CaseTimes> cases_;
};

double median(std::vector<double> values);

}  // namespace vek::bench
