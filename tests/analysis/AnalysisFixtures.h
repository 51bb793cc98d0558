#pragma once
// Synthetic screens, templates and Items for the analysis tests, and the analysis run by the
// book for comparison: a whole-grid cv::minMaxLoc after every suppression.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <opencv2/core.hpp>

#include "analysis/AnalysisEngine.h"
#include "analysis/AnalysisSteps.h"
#include "model/Item.h"

namespace zor::test {

using ParamList = std::vector<std::pair<std::u16string, std::u16string>>;

// Opaque BGRA noise: every window of it is distinct, so only exact copies score near 1.
cv::Mat NoiseImage(int width, int height, uint32_t seed);

// An opaque BGRA image of one colour.
cv::Mat SolidImage(int width, int height, cv::Scalar bgra);

// Sets the alpha byte of every pixel of a BGRA image (or a view into one).
void SetAlpha(cv::Mat image, uint8_t alpha);

// Copies `templ` into `screen` with its top-left corner at (x, y).
void Plant(cv::Mat& screen, const cv::Mat& templ, int x, int y);

Item MakeItem(int32_t engine_type, const cv::Mat& templ, const ParamList& params = {}, float threshold = 0.95f);

// Runs the Item's engine on the whole screen or on `work_area`.
AnalysisResult Analyze(const cv::Mat& screen, const Item& item, const WorkRect* work_area = nullptr);

// The matches the find-accept-suppress loop gives when every search is one cv::minMaxLoc over
// the whole grid under the mask.
std::vector<MatchRecord> MatchesByWholeGridSearch(const cv::Mat& scores, cv::Rect region, const Item& item,
                                                  const MatchRules& rules);

// The matches' top-left corners, for short expectations.
std::vector<cv::Point> Corners(const AnalysisResult& result);

}  // namespace zor::test
