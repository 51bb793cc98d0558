#pragma once
// The binarised pattern match exactly as its algorithm reads: a fresh window vector per
// position, every pixel compared, and the whole grid rescanned after every match. Far too slow
// for a program (billions of reads on a full screen), it is the reference that MatchBinPat must
// equal bit for bit. Header-only so that zorkvm-bench can time it too.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "analysis/AnalysisEngine.h"
#include "analysis/AnalysisParams.h"
#include "analysis/AnalysisResult.h"
#include "model/Item.h"

namespace zor::test {

inline bool LiteralBinPat(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                          const Item& item, AnalysisResult& result) {
  result.Clear();
  const AnalysisParams p = ReadAnalysisParams(item);
  const TemplateImage& t = item.Template;
  if (t.Pixels.empty() || t.Width < 1 || t.Height < 1 ||
      t.Pixels.size() < size_t(t.Width) * size_t(t.Height) * 4) {
    result.Message = u"2진 패턴 이미지 데이터가 비어있습니다.";
    return false;
  }
  int rx = 0, ry = 0, rw = width, rh = height;
  if (work_area) {
    const int l = std::max(work_area->Left, 0), tp = std::max(work_area->Top, 0);
    const int r = std::min(work_area->Right, width), b = std::min(work_area->Bottom, height);
    if (r > l && b > tp) rx = l, ry = tp, rw = r - l, rh = b - tp;
  }
  const int cols = rw - t.Width + 1, rows = rh - t.Height + 1;
  if (cols < 1 || rows < 1) {
    result.Message = u"작업 영역이 2진 패턴 이미지보다 작습니다.";
    return false;
  }
  std::vector<uint8_t> tbits(size_t(t.Width) * t.Height, 0);
  for (int r = 0; r < t.Height; ++r) {
    for (int c = 0; c < t.Width; ++c) {
      const uint8_t* px = &t.Pixels[(size_t(r) * t.Width + c) * 4];
      if (px[3] != 0 && p.Box.MinR <= px[2] && px[2] <= p.Box.MaxR && p.Box.MinG <= px[1] &&
          px[1] <= p.Box.MaxG && p.Box.MinB <= px[0] && px[0] <= p.Box.MaxB) {
        tbits[size_t(r) * t.Width + c] = (px[0] + px[1] + px[2]) / 3 >= p.BinThreshold ? 1 : 0;
      }
    }
  }
  const int step = p.Fast ? 2 : 1;
  std::vector<uint8_t> mask(size_t(cols) * rows, 1);
  while (true) {
    float best = -1.0f;
    int bx = -1, by = -1;
    for (int y = 0; y < rows; y += step) {
      for (int x = 0; x < cols; x += step) {
        if (mask[size_t(y) * cols + x] == 0) continue;
        std::vector<uint8_t> wbits(size_t(t.Width) * t.Height, 0);
        for (int r = 0; r < t.Height; ++r) {
          for (int c = 0; c < t.Width; ++c) {
            const uint8_t* px = pixels + (size_t(ry + y + r) * width + size_t(rx + x + c)) * 4;
            wbits[size_t(r) * t.Width + c] = (px[0] + px[1] + px[2]) / 3 >= p.BinThreshold ? 1 : 0;
          }
        }
        int equal = 0;
        for (size_t i = 0; i < wbits.size(); ++i) equal += wbits[i] == tbits[i];
        const float score = float(equal) / float(t.Width * t.Height);
        if (score > best) best = score, bx = x, by = y;
      }
    }
    if (item.Threshold > best || bx == -1) break;
    MatchRecord m;
    m.ItemNumber = item.Number;
    m.ItemIndex = m.ItemIndex2 = item.Index;
    m.Valid = 1;
    m.Left = rx + bx;
    m.Top = ry + by;
    m.CenterX = m.Left + t.Width / 2;
    m.CenterY = m.Top + t.Height / 2;
    m.Width = t.Width;
    m.Height = t.Height;
    m.Score = best;
    result.Add(m);
    if (p.Single) break;
    const int hw = t.Width / 2, hh = t.Height / 2;
    // As the engine: the match itself is always covered, even with a half size of 0.
    const int x0 = std::max(bx - hw, 0), x1 = std::min(std::max(bx + hw, bx + 1), cols);
    const int y0 = std::max(by - hh, 0), y1 = std::min(std::max(by + hh, by + 1), rows);
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) mask[size_t(y) * cols + x] = 0;
    }
    if (result.Matches.size() >= 100) break;
  }
  if (result.Matches.empty()) result.Found = false;
  return result.Found;
}

}  // namespace zor::test
