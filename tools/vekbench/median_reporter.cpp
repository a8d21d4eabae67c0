#include "median_reporter.h"

#include <algorithm>

namespace vek::bench {

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration) continue;
    CaseTimes& times = cases_[run.run_name.function_name];
    if (run.error_occurred) {
      times.error = run.error_message;
      continue;
    }
    if (run.iterations <= 0) continue;
    double iterations = static_cast<double>(run.iterations);
    times.cpuSeconds.push_back(run.cpu_accumulated_time / iterations);
    times.wallSeconds.push_back(run.real_accumulated_time / iterations);
    times.iterations += run.iterations;
  }
}

bool MedianReporter::medians(const std::string& name, CaseMedians& out) const {
  auto found = cases_.find(name);
  if (found == cases_.end() || !found->second.error.empty() || found->second.cpuSeconds.empty()) {
    return false;
  }
  const CaseTimes& times = found->second;
  out.cpuNanoseconds = median(times.cpuSeconds) * 1e9;
  out.wallNanoseconds = median(times.wallSeconds) * 1e9;
  out.cpuLowest = *std::min_element(times.cpuSeconds.begin(), times.cpuSeconds.end()) * 1e9;
  out.cpuHighest = *std::max_element(times.cpuSeconds.begin(), times.cpuSeconds.end()) * 1e9;
  out.repetitions = static_cast<int>(times.cpuSeconds.size());
  out.iterations = times.iterations;
  return true;
}

std::vector<std::string> MedianReporter::errors() const {
  std::vector<std::string> found;
  for (const auto& [name, times] : cases_) {
    if (!times.error.empty()) found.push_back(name + ": " + times.error);
  }
  return found;
}

}  // namespace vek::bench
