// MatchImage (grey and colour) and MatchPattern against the bare OpenCV calls they are made of:
// conversion, matchTemplate and the minMaxLoc loop, on buffers kept warm across calls.
// Arguments: template size (0: 24 x 24, 1: 64 x 64, 2: 200 x 100), area (0: whole screen,
// 1: 400 x 300 work area).
#include <opencv2/imgproc.hpp>

#include "analysis/AnalysisSteps.h"
#include "AnalysisBenchSupport.h"
#include "DesktopScreen.h"

namespace zor::bench {
namespace {

// Buffers of the bare calls, kept between calls as a caller tuned by hand would keep them.
struct BareBuffers {
  cv::Mat grey_region, grey_template, pattern_mask, scores, mask;
};

// The template and the region of the benchmark's arguments, as views of the desktop.
struct BareInput {
  cv::Mat templ;
  cv::Mat region;
};

BareInput BareInputOf(const benchmark::State& state) {
  const WorkRect area = BenchWorkArea(state.range(1));
  return BareInput{Desktop()(cv::Rect(cv::Point(kTargetLeft, kTargetTop), TemplateSize(state.range(0)))),
                   Desktop()(ClipWorkArea(&area, Desktop().cols, Desktop().rows))};
}

size_t MinMaxLoop(BareBuffers& b, double accept, cv::Size templ, SuppressionKind kind) {
  b.mask.create(b.scores.size(), CV_8U);
  b.mask.setTo(cv::Scalar(1));
  size_t matches = 0;
  while (matches < kMaxMatchesPerAnalysis) {
    double best = 0;
    cv::Point at;
    cv::minMaxLoc(b.scores, nullptr, &best, nullptr, &at, b.mask);
    if (at.x < 0 || best < accept) break;
    ++matches;
    b.mask(SuppressionRect(at, templ, b.scores.size(), kind)).setTo(cv::Scalar(0));
  }
  return matches;
}

void BareImage(benchmark::State& state, bool colour) {
  const auto [templ, region] = BareInputOf(state);
  BareBuffers b;
  TimeWarm(state, [&] {
    if (colour) {
      cv::matchTemplate(region, templ, b.scores, cv::TM_CCOEFF_NORMED);
    } else {
      cv::cvtColor(region, b.grey_region, cv::COLOR_BGRA2GRAY);
      cv::cvtColor(templ, b.grey_template, cv::COLOR_BGRA2GRAY);
      cv::matchTemplate(b.grey_region, b.grey_template, b.scores, cv::TM_CCOEFF_NORMED);
    }
    return MinMaxLoop(b, double(0.95f - 0.01f), templ.size(), SuppressionKind::kOverlap);
  });
}

void EngineImage(benchmark::State& state, bool colour) {
  const Item item = TargetItem(0, TemplateSize(state.range(0)), {{u"ColorMode", colour ? u"True" : u"False"}});
  const WorkRect area = BenchWorkArea(state.range(1));
  AnalysisResult result;
  TimeWarm(state, [&] { return RunEngine(item, area, result); });
}

void BM_BareImageGrey(benchmark::State& state) { BareImage(state, false); }
void BM_MatchImageGrey(benchmark::State& state) { EngineImage(state, false); }
void BM_BareImageColour(benchmark::State& state) { BareImage(state, true); }
void BM_MatchImageColour(benchmark::State& state) { EngineImage(state, true); }

void BM_BarePattern(benchmark::State& state) {
  const auto [templ, region] = BareInputOf(state);
  BareBuffers b;
  TimeWarm(state, [&] {
    // The default colour box: every opaque pixel takes part.
    cv::extractChannel(templ, b.pattern_mask, 3);
    cv::threshold(b.pattern_mask, b.pattern_mask, 0, 255, cv::THRESH_BINARY);
    cv::matchTemplate(region, templ, b.scores, cv::TM_CCORR_NORMED, b.pattern_mask);
    return MinMaxLoop(b, double(0.95f), templ.size(), SuppressionKind::kHalfTemplate);
  });
}

void BM_MatchPattern(benchmark::State& state) {
  const Item item = TargetItem(1, TemplateSize(state.range(0)));
  const WorkRect area = BenchWorkArea(state.range(1));
  AnalysisResult result;
  TimeWarm(state, [&] { return RunEngine(item, area, result); });
}

void SizesAndAreas(benchmark::internal::Benchmark* b) {
  b->ArgNames({"template", "area"})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
  for (int area : {0, 1}) {
    for (int size : {0, 1, 2}) b->Args({size, area});
  }
}

BENCHMARK(BM_BareImageGrey)->Apply(SizesAndAreas);
BENCHMARK(BM_MatchImageGrey)->Apply(SizesAndAreas);
BENCHMARK(BM_BareImageColour)->Apply(SizesAndAreas);
BENCHMARK(BM_MatchImageColour)->Apply(SizesAndAreas);
BENCHMARK(BM_BarePattern)->Apply(SizesAndAreas);
BENCHMARK(BM_MatchPattern)->Apply(SizesAndAreas);

}  // namespace
}  // namespace zor::bench
