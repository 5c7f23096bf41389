// Order statistics of per-step times (median, high percentiles, worst) reported as benchmark counters.
#pragma once
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

// Processor time of this thread: beside the wall clock it tells a slow step from one during
// which a busy machine ran something else.
inline double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The value below which a share p (0..1) of the samples lie, nearest rank; 0 for none.
inline double Percentile(std::vector<double> samples, double p) {
  if (samples.empty()) return 0;
  const auto k = static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1) + 0.5);
  std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(k), samples.end());
  return samples[k];
}

// Steps in seconds, reported in microseconds under prefix_median_us, _p99_us and _worst_us,
// with their count. Counters are plain values: Google Benchmark would otherwise divide them
// by the iteration count or the time.
inline void ReportSteps(benchmark::State& state, const std::string& prefix, const std::vector<double>& seconds) {
  if (seconds.empty()) return;
  state.counters[prefix + "_median_us"] = Percentile(seconds, 0.5) * 1e6;
  state.counters[prefix + "_p99_us"] = Percentile(seconds, 0.99) * 1e6;
  state.counters[prefix + "_worst_us"] = *std::max_element(seconds.begin(), seconds.end()) * 1e6;
  state.counters[prefix + "_count"] = static_cast<double>(seconds.size());
}

}  // namespace bench
