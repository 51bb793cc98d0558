// MatchBinPat against the literal algorithm (fresh window per position, full rescan after every
// match) and against MatchImage grey on the same input: whole screen, 32 x 32 template, multi.
#include "AnalysisBenchSupport.h"
// The literal algorithm lives with the tests, whose reference it is.
#include "../../tests/analysis/LiteralBinPat.h"

namespace zor::bench {
namespace {

constexpr int64_t kTemplate32 = 3;

void BM_MatchBinPat(benchmark::State& state) {
  const bool fast = state.range(2) != 0;
  const Item item = TargetItem(2, TemplateSize(state.range(0)), {{u"SearchMode", fast ? u"Fast" : u"Normal"}});
  const WorkRect area = BenchWorkArea(state.range(1));
  AnalysisResult result;
  TimeWarm(state, [&] { return RunEngine(item, area, result); });
}

void BM_LiteralBinPat(benchmark::State& state) {
  const Item item = TargetItem(2, TemplateSize(kTemplate32));
  const cv::Mat& screen = Desktop();
  AnalysisResult result;
  for (auto _ : state) {
    test::LiteralBinPat(screen.data, screen.cols, screen.rows, nullptr, item, result);
  }
  state.counters["matches"] = double(result.Matches.size());
}

void BM_MatchImageGrey32(benchmark::State& state) {
  const Item item = TargetItem(0, TemplateSize(kTemplate32));
  AnalysisResult result;
  TimeWarm(state, [&] { return RunEngine(item, WorkRect{}, result); });
}

BENCHMARK(BM_MatchBinPat)
    ->ArgNames({"template", "area", "fast"})
    ->Args({kTemplate32, 0, 0})
    ->Args({kTemplate32, 0, 1})
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({2, 0, 0})
    ->Args({kTemplate32, 1, 0})
    ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_MatchImageGrey32)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
// One literal run takes seconds per scan of the grid.
BENCHMARK(BM_LiteralBinPat)->Iterations(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace zor::bench
