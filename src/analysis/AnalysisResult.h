#pragma once
// The outcome of one analysis: the matches an engine found for one Item, and the best of them.
#include <cstdint>
#include <string>
#include <vector>

namespace zor {

// One place where an Item's template was found, in screen pixels.
struct MatchRecord {
  int32_t ItemNumber = -1;
  int32_t ItemIndex = -1;
  uint8_t Valid = 0;  // 1 for every record an engine adds
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t CenterX = 0;  // Left + Width / 2
  int32_t CenterY = 0;  // Top + Height / 2
  int32_t Width = 0;
  int32_t Height = 0;
  float Score = 0.0f;  // engine-specific scale, 1 for a perfect match
  // Filled by the runner after the analysis; the engines leave them empty.
  int32_t RunnerValue = 0;
  std::u16string RunnerText;
  std::vector<std::u16string> RunnerList1;
  std::vector<std::u16string> RunnerList2;
  int32_t RunnerValue2 = 0;
  int32_t ItemIndex2 = -1;  // the Item index again

  friend bool operator==(const MatchRecord&, const MatchRecord&) = default;
};

// Most matches one analysis reports; also bounds the repeated searches of the multiple mode.
inline constexpr size_t kMaxMatchesPerAnalysis = 100;

struct AnalysisResult {
  bool Found = false;
  std::u16string Message;  // failure text of the last failed step; empty on success
  MatchRecord Best;
  std::vector<MatchRecord> Matches;  // in the order found, at most kMaxMatchesPerAnalysis

  // Back to "nothing found": no message, no matches, Best reset to its defaults.
  void Clear();

  // Appends `match`; it becomes Best when it is the first or scores strictly higher (ties keep
  // the earlier record).
  void Add(const MatchRecord& match);
};

}  // namespace zor
