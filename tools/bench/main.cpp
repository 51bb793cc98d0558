// zorkvm-bench: Google Benchmark's micro-benchmarks, or with "scale" as its first word the scale
// run of the GUI's client stack against the simulator (scale/ScaleMain.h).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#ifdef ZORKVM_BENCH_SCALE
#include "scale/ScaleMain.h"
#endif

int main(int argc, char** argv) {
#ifdef ZORKVM_BENCH_SCALE
  if (argc > 1 && std::string(argv[1]) == "scale") {
    return zor::bench::RunScaleMode(std::vector<std::string>(argv + 2, argv + argc));
  }
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
