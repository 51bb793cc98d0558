#pragma once
// The outcome of one analysis: the matches an engine found for one Item, and the best of them.
#include <cstdint>
#include <optional>
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

// A template position that an engine scored, in screen pixels (the work-area offset added, as in
// MatchRecord), with the template's size so that it can be drawn.
struct ScoredPosition {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  float Score = 0.0f;

  friend bool operator==(const ScoredPosition&, const ScoredPosition&) = default;
};

// Most matches one analysis reports; also bounds the repeated searches of the multiple mode.
inline constexpr size_t kMaxMatchesPerAnalysis = 100;

struct AnalysisResult {
  bool Found = false;
  std::u16string Message;  // failure text of the last failed step; empty on success
  MatchRecord Best;
  std::vector<MatchRecord> Matches;  // in the order found, at most kMaxMatchesPerAnalysis
  // The highest score of the analysis and where, whether or not it reached the acceptance
  // score: when nothing was found, it tells how close the Item came (a near miss). It is the
  // first position the find-accept-suppress loop looks at, so no extra search is made:
  //   MatchImage   the maximum of the TM_CCOEFF_NORMED grid (grey or colour), the raw score
  //                that is compared with the threshold less the tolerance;
  //   MatchPattern the maximum of the masked TM_CCORR_NORMED grid;
  //   MatchBinPat  the highest share of equal bits among the positions scanned (in "Fast"
  //                search every second column of every second row).
  // Among equal scores the first in row-major order; a NaN score never counts. When found,
  // it is the first match (the same place and score as Best). Empty when no position was
  // scored: a refused template or work area, an unknown engine, or NaN everywhere.
  std::optional<ScoredPosition> BestSeen;

  // Back to "nothing found": no message, no matches, Best reset to its defaults, no BestSeen.
  void Clear();

  // Appends `match`; it becomes Best when it is the first or scores strictly higher (ties keep
  // the earlier record).
  void Add(const MatchRecord& match);
};

}  // namespace zor
