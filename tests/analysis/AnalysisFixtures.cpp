#include "AnalysisFixtures.h"

namespace zor::test {

cv::Mat NoiseImage(int width, int height, uint32_t seed) {
  cv::Mat image(height, width, CV_8UC4);
  cv::RNG rng(seed);
  rng.fill(image, cv::RNG::UNIFORM, cv::Scalar::all(0), cv::Scalar::all(256));
  SetAlpha(image, 255);
  return image;
}

void SetAlpha(cv::Mat image, uint8_t alpha) {
  for (int y = 0; y < image.rows; ++y) {
    for (int x = 0; x < image.cols; ++x) image.at<cv::Vec4b>(y, x)[3] = alpha;
  }
}

cv::Mat SolidImage(int width, int height, cv::Scalar bgra) { return cv::Mat(height, width, CV_8UC4, bgra); }

void Plant(cv::Mat& screen, const cv::Mat& templ, int x, int y) {
  templ.copyTo(screen(cv::Rect(x, y, templ.cols, templ.rows)));
}

Item MakeItem(int32_t engine_type, const cv::Mat& templ, const ParamList& params, float threshold) {
  Item item;
  item.Number = 7;
  item.Index = 3;
  item.AnalysisType = engine_type;
  item.Threshold = threshold;
  for (const auto& [key, value] : params) item.Params.push_back({key, value});
  if (!templ.empty()) {
    const cv::Mat packed = templ.clone();  // continuous rows
    item.Template.Width = packed.cols;
    item.Template.Height = packed.rows;
    item.Template.Pixels.assign(packed.datastart, packed.dataend);
  }
  return item;
}

AnalysisResult Analyze(const cv::Mat& screen, const Item& item, const WorkRect* work_area) {
  AnalysisFrame frame;
  frame.Width = screen.cols;
  frame.Height = screen.rows;
  frame.Pixels = std::span<const uint8_t>(screen.datastart, screen.dataend);
  if (work_area) frame.RcWork = *work_area;
  AnalysisResult result;
  RunAnalysis(frame, item, result);
  return result;
}

std::vector<MatchRecord> MatchesByWholeGridSearch(const cv::Mat& scores, cv::Rect region, const Item& item,
                                                  const MatchRules& rules) {
  const cv::Size templ(item.Template.Width, item.Template.Height);
  cv::Mat mask(scores.size(), CV_8U, cv::Scalar(1));
  std::vector<MatchRecord> matches;
  while (matches.size() < kMaxMatchesPerAnalysis) {
    double best = 0;
    cv::Point at;
    cv::minMaxLoc(scores, nullptr, &best, nullptr, &at, mask);
    if (at.x < 0 || !(best >= rules.AcceptScore)) break;
    MatchRecord m;
    m.ItemNumber = item.Number;
    m.ItemIndex = m.ItemIndex2 = item.Index;
    m.Valid = 1;
    m.Left = region.x + at.x;
    m.Top = region.y + at.y;
    m.CenterX = m.Left + templ.width / 2;
    m.CenterY = m.Top + templ.height / 2;
    m.Width = templ.width;
    m.Height = templ.height;
    m.Score = float(best);
    matches.push_back(m);
    if (rules.Single) break;
    mask(SuppressionRect(at, templ, scores.size(), rules.Suppression)).setTo(0);
  }
  return matches;
}

std::vector<cv::Point> Corners(const AnalysisResult& result) {
  std::vector<cv::Point> corners;
  for (const auto& m : result.Matches) corners.emplace_back(m.Left, m.Top);
  return corners;
}

}  // namespace zor::test
