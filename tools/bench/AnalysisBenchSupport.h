#pragma once
// Shared pieces of the analysis benchmarks: the desktop input, Items cut from it, work areas,
// and a timing loop that also counts page faults per call once the buffers are warm.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include <opencv2/core.hpp>

#include "analysis/AnalysisEngine.h"
#include "model/Item.h"

namespace zor::bench {

// The desktop picture, made once.
const cv::Mat& Desktop();

// Template sizes of the benchmarks, chosen by the first argument.
cv::Size TemplateSize(int64_t which);

// Second argument 0: the whole screen; 1: a 400 x 300 work area around the target.
WorkRect BenchWorkArea(int64_t which);

Item TargetItem(int32_t engine_type, cv::Size size,
                const std::vector<std::pair<std::u16string, std::u16string>>& params = {});

// Page faults (minor and major) of the whole process so far.
long PageFaults();

// Runs `call` once untimed (warming buffers and the allocator), then times it under `state`,
// and reports page faults per timed call and the last call's match count.
template <typename Call>
void TimeWarm(benchmark::State& state, Call call) {
  call();
  const long faults_before = PageFaults();
  size_t matches = 0;
  for (auto _ : state) matches = call();
  state.counters["faults_per_call"] = double(PageFaults() - faults_before) / double(state.iterations());
  state.counters["matches"] = double(matches);
}

// Runs the Item's engine through RunAnalysis; returns the number of matches.
size_t RunEngine(const Item& item, const WorkRect& area, AnalysisResult& result);

}  // namespace zor::bench
