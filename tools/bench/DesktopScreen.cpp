#include "DesktopScreen.h"

#include <opencv2/imgproc.hpp>

namespace zor::bench {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

cv::Scalar RandomColour(cv::RNG& rng, int low, int high) {
  return cv::Scalar(rng.uniform(low, high), rng.uniform(low, high), rng.uniform(low, high), 255);
}

// Rows of 6 x 9 "glyphs": random strokes, with word gaps, like small text.
void DrawText(cv::Mat& screen, cv::Rect area, cv::RNG& rng) {
  for (int y = area.y; y + 9 <= area.y + area.height; y += 14) {
    for (int x = area.x; x + 6 <= area.x + area.width; x += 7) {
      if (rng.uniform(0, 6) == 0) continue;  // a space
      for (int stroke = 0; stroke < 3; ++stroke) {
        const cv::Point a(x + rng.uniform(0, 6), y + rng.uniform(0, 9));
        const cv::Point b(x + rng.uniform(0, 6), y + rng.uniform(0, 9));
        cv::line(screen, a, b, cv::Scalar(30, 30, 30, 255), 1, cv::LINE_8);
      }
    }
  }
}

void DrawWindow(cv::Mat& screen, cv::Rect frame, cv::RNG& rng) {
  cv::rectangle(screen, frame, cv::Scalar(245, 245, 245, 255), cv::FILLED);
  cv::rectangle(screen, cv::Rect(frame.x, frame.y, frame.width, 30), RandomColour(rng, 90, 200), cv::FILLED);
  cv::rectangle(screen, frame, cv::Scalar(120, 120, 120, 255), 1);
  DrawText(screen, cv::Rect(frame.x + 10, frame.y + 8, std::min(frame.width / 2, 240), 12), rng);
  DrawText(screen, cv::Rect(frame.x + 12, frame.y + 44, frame.width - 24, frame.height - 100), rng);
  for (int b = 0; b < 2; ++b) {
    const cv::Rect button(frame.x + frame.width - 190 + b * 90, frame.y + frame.height - 44, 80, 28);
    cv::rectangle(screen, button, cv::Scalar(225, 225, 225, 255), cv::FILLED);
    cv::rectangle(screen, button, cv::Scalar(90, 90, 90, 255), 1);
    DrawText(screen, cv::Rect(button.x + 12, button.y + 9, 56, 10), rng);
  }
}

void DrawIcon(cv::Mat& screen, cv::Point at, cv::RNG& rng) {
  const cv::Rect body(at.x, at.y, 48, 48);
  cv::rectangle(screen, body, RandomColour(rng, 40, 230), cv::FILLED);
  for (int shape = 0; shape < 4; ++shape) {
    const cv::Point centre(at.x + rng.uniform(8, 40), at.y + rng.uniform(8, 40));
    cv::circle(screen, centre, rng.uniform(3, 12), RandomColour(rng, 0, 256), cv::FILLED);
  }
  DrawText(screen, cv::Rect(at.x - 6, at.y + 54, 62, 12), rng);
}

}  // namespace

cv::Mat DesktopScreen() {
  cv::RNG rng(1080);
  cv::Mat screen(kHeight, kWidth, CV_8UC4);
  for (int y = 0; y < kHeight; ++y) {
    const int shade = 60 + 80 * y / kHeight;
    screen.row(y).setTo(cv::Scalar(150 + shade / 2, 90 + shade / 3, 40, 255));
  }
  for (int i = 0; i < 12; ++i) DrawIcon(screen, cv::Point(32, 20 + i * 86), rng);
  for (int w = 0; w < 9; ++w) {
    const cv::Rect frame(180 + rng.uniform(0, 1300), rng.uniform(0, 600), rng.uniform(300, 700),
                         rng.uniform(220, 440));
    DrawWindow(screen, frame & cv::Rect(120, 0, kWidth - 120, kHeight - 40), rng);
  }
  cv::rectangle(screen, cv::Rect(0, kHeight - 40, kWidth, 40), cv::Scalar(48, 40, 36, 255), cv::FILLED);
  for (int i = 0; i < 14; ++i) DrawIcon(screen, cv::Point(70 + i * 60, kHeight - 36), rng);
  return screen;
}

}  // namespace zor::bench
