#pragma once
// A copy of only the work area of a screen picture, for a caller that wants to let go of the
// whole picture (8 MB at 1920 x 1080) while it searches, say, 640 x 480 of it. Searching the copy
// gives the result that searching the picture gives, positions in screen pixels included: the
// engines read nothing outside the work area.
//
// An analysis depends on nothing but the work area's pixels and the Item's stored fields (and
// its number, copied into the records). A remote screen mostly stands still while an App waits
// for its target, so the copy remembers its last search: when neither the pixels nor the Item
// changed since, that search's result is given again without searching (a compare of the work
// area, about 0.1 ms, where a 640 x 480 template search costs several).
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/AnalysisEngine.h"
#include "model/Item.h"

namespace zor {

class WorkAreaCopy {
 public:
  // Copies the work area of `frame`, clipped to the picture as the engines clip it, into a
  // buffer kept for the next copy. False, with nothing copied, when that area is the whole
  // picture or the picture's bytes are short: search `frame` itself then.
  bool CopyFrom(const AnalysisFrame& frame);
  // RunAnalysis on the last copy, with every position of the result moved to screen pixels; the
  // last search's result when the copy and `item` are what that search had.
  bool Analyse(const Item& item, AnalysisResult& result);
  // Searches made so far: fewer than Analyse calls when results were given again.
  uint64_t Searches() const { return searches_; }

 private:
  bool SearchedBefore(const Item& item) const;

  std::vector<uint8_t> pixels_;  // BGRA, stride width_ * 4
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;

  // The last search: the Item's fields then, and what it found. Fields, not the Item's address:
  // an Item with the same fields finds the same, and an address may be reused by another Item.
  bool changed_since_search_ = true;
  std::optional<Item> searched_item_;
  AnalysisResult searched_result_;
  bool searched_found_ = false;
  uint64_t searches_ = 0;
};

}  // namespace zor
