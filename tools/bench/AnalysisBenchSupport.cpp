#include "AnalysisBenchSupport.h"

#include <sys/resource.h>

#include "DesktopScreen.h"

namespace zor::bench {

const cv::Mat& Desktop() {
  static const cv::Mat screen = DesktopScreen();
  return screen;
}

cv::Size TemplateSize(int64_t which) {
  static const cv::Size sizes[] = {{24, 24}, {64, 64}, {200, 100}, {32, 32}};
  return sizes[which];
}

WorkRect BenchWorkArea(int64_t which) {
  if (which == 0) return WorkRect{};  // empty: the whole screen
  return WorkRect{0, kTargetTop - 100, 400, kTargetTop + 200};
}

Item TargetItem(int32_t engine_type, cv::Size size,
                const std::vector<std::pair<std::u16string, std::u16string>>& params) {
  Item item;
  item.AnalysisType = engine_type;
  const cv::Mat crop = Desktop()(cv::Rect(cv::Point(kTargetLeft, kTargetTop), size)).clone();
  item.Template.Width = crop.cols;
  item.Template.Height = crop.rows;
  item.Template.Pixels.assign(crop.datastart, crop.dataend);
  for (const auto& [key, value] : params) item.Params.push_back({key, value});
  return item;
}

long PageFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt + usage.ru_majflt;
}

size_t RunEngine(const Item& item, const WorkRect& area, AnalysisResult& result) {
  const cv::Mat& screen = Desktop();
  AnalysisFrame frame;
  frame.RcWork = area;
  frame.Width = screen.cols;
  frame.Height = screen.rows;
  frame.Pixels = std::span<const uint8_t>(screen.datastart, screen.dataend);
  RunAnalysis(frame, item, result);
  return result.Matches.size();
}

}  // namespace zor::bench
