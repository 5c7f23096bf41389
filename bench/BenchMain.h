// What every benchmark program starts with: Google Benchmark's arguments, with medians of
// five runs unless the command line asks for other repetitions.
#pragma once
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace bench {

// False when the command line holds an argument Google Benchmark does not know.
inline bool InitializeBenchmarks(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  bool repetitionsGiven = false;
  for (int i = 1; i < argc; ++i) repetitionsGiven |= std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
  static std::string reps = "--benchmark_repetitions=5", aggregates = "--benchmark_display_aggregates_only=true";
  if (!repetitionsGiven) {
    args.push_back(reps.data());
    args.push_back(aggregates.data());
  }
  int n = static_cast<int>(args.size());
  benchmark::Initialize(&n, args.data());
  return !benchmark::ReportUnrecognizedArguments(n, args.data());
}

}  // namespace bench
