// Drawing of the simulated desktop with OpenCV's primitives and its built-in vector font.
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <string>

#include "sim/SimScreen.h"

namespace zor {
namespace {

const cv::Scalar kWhite(255, 255, 255, 255);
const cv::Scalar kBlack(0, 0, 0, 255);
const cv::Scalar kWindowBody(236, 236, 236, 255);
const cv::Scalar kTitleBar(150, 80, 30, 255);
const cv::Scalar kButtonFace(210, 210, 210, 255);
const cv::Scalar kBorder(110, 110, 110, 255);
const cv::Scalar kDarkText(40, 40, 40, 255);
const std::array<cv::Scalar, 4> kIconColours = {cv::Scalar(40, 160, 230, 255), cv::Scalar(60, 180, 60, 255),
                                                cv::Scalar(50, 50, 200, 255), cv::Scalar(180, 90, 160, 255)};
const std::array<const char*, 4> kIconLabels = {"Files", "Mail", "Term", "Notes"};

cv::Rect ToCv(const SimRect& r) { return {r.x, r.y, r.w, r.h}; }

// Text height follows the box it is written into.
double FontScaleFor(const SimRect& box) { return std::max(0.25, box.h / 48.0); }
int ThicknessFor(double scale) { return std::max(1, static_cast<int>(scale * 2)); }

void TextCentred(cv::Mat& m, const std::string& text, const SimRect& box, const cv::Scalar& colour) {
  const double scale = FontScaleFor(box);
  const int thickness = ThicknessFor(scale);
  int baseline = 0;
  const cv::Size size = cv::getTextSize(text, cv::FONT_HERSHEY_SIMPLEX, scale, thickness, &baseline);
  const cv::Point at(box.x + (box.w - size.width) / 2, box.y + (box.h + size.height) / 2);
  cv::putText(m, text, at, cv::FONT_HERSHEY_SIMPLEX, scale, colour, thickness, cv::LINE_AA);
}

void TextLeft(cv::Mat& m, const std::string& text, const SimRect& box, const cv::Scalar& colour) {
  const double scale = FontScaleFor(box);
  const int thickness = ThicknessFor(scale);
  int baseline = 0;
  const cv::Size size = cv::getTextSize(text, cv::FONT_HERSHEY_SIMPLEX, scale, thickness, &baseline);
  const cv::Point at(box.x + box.h / 4, box.y + (box.h + size.height) / 2);
  cv::putText(m, text, at, cv::FONT_HERSHEY_SIMPLEX, scale, colour, thickness, cv::LINE_AA);
}

void Button(cv::Mat& m, const SimRect& r, const std::string& label) {
  cv::rectangle(m, ToCv(r), kButtonFace, cv::FILLED);
  cv::rectangle(m, ToCv(r), kBorder, 1);
  TextCentred(m, label, r, kDarkText);
}

void Window(cv::Mat& m, const SimRect& body, const SimRect& title, const std::string& caption) {
  const int shadow = std::max(2, title.h / 6);
  cv::rectangle(m, ToCv({body.x + shadow, body.y + shadow, body.w, body.h}), cv::Scalar(30, 30, 30, 255), cv::FILLED);
  cv::rectangle(m, ToCv(body), kWindowBody, cv::FILLED);
  cv::rectangle(m, ToCv(body), kBorder, 1);
  cv::rectangle(m, ToCv(title), kTitleBar, cv::FILLED);
  TextLeft(m, caption, title, kWhite);
  const SimRect close{title.x + title.w - title.h, title.y, title.h, title.h};
  cv::rectangle(m, ToCv(close), cv::Scalar(40, 40, 200, 255), cv::FILLED);
  TextCentred(m, "x", close, kWhite);
}

void Wallpaper(cv::Mat& m) {
  for (int y = 0; y < m.rows; ++y) {
    const double t = static_cast<double>(y) / std::max(1, m.rows - 1);
    const cv::Scalar c(90 + 70 * t, 60 + 50 * t, 20 + 20 * t, 255);
    cv::line(m, {0, y}, {m.cols - 1, y}, c);
  }
  const int step = std::max(8, m.cols / 40);
  for (int x = -m.rows; x < m.cols; x += step) {
    cv::line(m, {x, m.rows - 1}, {x + m.rows, 0}, cv::Scalar(140, 110, 50, 255), 1, cv::LINE_AA);
  }
}

// A different white symbol on each icon, so that every icon is a target of its own.
void IconSymbol(cv::Mat& m, const SimRect& r, size_t which) {
  const int cx = r.CenterX();
  const int cy = r.CenterY();
  const int q = std::max(1, r.w / 4);
  switch (which % 4) {
    case 0: cv::circle(m, {cx, cy}, q, kWhite, cv::FILLED, cv::LINE_AA); break;
    case 1: {
      const std::array<cv::Point, 3> triangle = {cv::Point{cx, cy - q}, {cx + q, cy + q}, {cx - q, cy + q}};
      cv::fillConvexPoly(m, triangle.data(), 3, kWhite, cv::LINE_AA);
      break;
    }
    case 2: cv::rectangle(m, cv::Rect(cx - q, cy - q, 2 * q, 2 * q), kWhite, std::max(1, q / 3)); break;
    default: {
      const std::array<cv::Point, 4> diamond = {cv::Point{cx, cy - q}, {cx + q, cy}, {cx, cy + q}, {cx - q, cy}};
      cv::fillConvexPoly(m, diamond.data(), 4, kWhite, cv::LINE_AA);
    }
  }
}

void Icons(cv::Mat& m, const SimLayout& l) {
  for (size_t i = 0; i < l.icons.size() && i < kIconColours.size(); ++i) {
    const SimRect& r = l.icons[i];
    cv::rectangle(m, ToCv(r), kIconColours[i], cv::FILLED);
    IconSymbol(m, r, i);
    TextCentred(m, kIconLabels[i], {r.x - r.w / 4, r.y + r.h, r.w + r.w / 2, std::max(1, r.h / 3)}, kWhite);
  }
}

void Taskbar(cv::Mat& m, const SimLayout& l) {
  cv::rectangle(m, ToCv(l.taskbar), cv::Scalar(45, 40, 40, 255), cv::FILLED);
  Button(m, l.start_button, "Start");
  const SimRect clock{l.taskbar.x + l.taskbar.w - l.start_button.w, l.start_button.y, l.start_button.w, l.start_button.h};
  TextCentred(m, "12:00", clock, kWhite);
}

std::string ReportRow(int32_t row) {
  return "Row " + std::to_string(row + 1) + "   item-" + std::to_string(1000 + row * 37) + "   " +
         std::to_string((row * 7919) % 1000) + " pcs";
}

void ReportList(cv::Mat& m, const SimLayout& l, int32_t first_row) {
  const SimRect& list = l.report_list;
  cv::rectangle(m, ToCv(list), kWhite, cv::FILLED);
  cv::rectangle(m, ToCv(list), kBorder, 1);
  const int32_t row_h = std::max(1, l.report_title.h);
  for (int32_t i = 0; (i + 1) * row_h <= list.h && first_row + i < kSimReportRows; ++i) {
    const SimRect row{list.x + 1, list.y + i * row_h, list.w - 2, row_h};
    if ((first_row + i) % 2 == 1) cv::rectangle(m, ToCv(row), cv::Scalar(245, 235, 225, 255), cv::FILLED);
    TextLeft(m, ReportRow(first_row + i), row, kDarkText);
  }
}

void Pointer(cv::Mat& m, int32_t x, int32_t y, int32_t screen_height) {
  const double s = std::max(1.0, screen_height / 720.0);
  static const std::array<cv::Point, 7> kArrow = {
      cv::Point{0, 0}, {0, 17}, {4, 13}, {7, 20}, {10, 19}, {7, 12}, {12, 12}};
  std::array<cv::Point, 7> points;
  for (size_t i = 0; i < kArrow.size(); ++i) {
    points[i] = {x + static_cast<int>(kArrow[i].x * s), y + static_cast<int>(kArrow[i].y * s)};
  }
  cv::fillConvexPoly(m, points.data(), static_cast<int>(points.size()), kWhite, cv::LINE_AA);
  cv::polylines(m, std::vector<cv::Point>(points.begin(), points.end()), true, kBlack, 1, cv::LINE_AA);
}

}  // namespace

std::vector<uint8_t> PaintSimBackground(int32_t width, int32_t height, const SimLayout& l) {
  std::vector<uint8_t> bgra(static_cast<size_t>(width) * height * 4);
  cv::Mat m(height, width, CV_8UC4, bgra.data());
  Wallpaper(m);
  Icons(m, l);
  Window(m, l.counter_window, l.counter_title, "Counter");
  Button(m, l.ok_button, "OK");
  Button(m, l.toggle_button, "Toggle");
  Window(m, l.report_window, l.report_title, "Report");
  Taskbar(m, l);
  return bgra;
}

void PaintSimState(std::vector<uint8_t>& bgra, int32_t width, int32_t height, const SimLayout& l,
                   const SimScreenState& state) {
  cv::Mat m(height, width, CV_8UC4, bgra.data());
  cv::rectangle(m, ToCv(l.counter_label), kWindowBody, cv::FILLED);
  // A counter per button, so that every click shows, also one that toggles the status twice.
  TextLeft(m, "OK: " + std::to_string(state.ok_clicks) + "   Toggle: " + std::to_string(state.toggle_clicks),
           l.counter_label, kDarkText);

  const cv::Scalar status = state.toggled_on ? cv::Scalar(60, 170, 60, 255) : cv::Scalar(60, 60, 190, 255);
  cv::rectangle(m, ToCv(l.status_panel), status, cv::FILLED);
  TextCentred(m, state.toggled_on ? "ON" : "OFF", l.status_panel, kWhite);

  cv::rectangle(m, ToCv(l.text_field), kWhite, cv::FILLED);
  cv::rectangle(m, ToCv(l.text_field), kBorder, 1);
  TextLeft(m, state.field, l.text_field, kBlack);

  ReportList(m, l, state.scroll_rows);
  if (state.selected_icon >= 0 && static_cast<size_t>(state.selected_icon) < l.icons.size()) {
    const SimRect& r = l.icons[static_cast<size_t>(state.selected_icon)];
    cv::rectangle(m, ToCv({r.x - 3, r.y - 3, r.w + 6, r.h + 6}), cv::Scalar(0, 220, 255, 255), 2);
  }
  Pointer(m, state.pointer_x, state.pointer_y, height);
}

}  // namespace zor
