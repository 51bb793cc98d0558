#include "analysis/AnalysisResult.h"

namespace zor {

void AnalysisResult::Clear() {
  Found = false;
  Message.clear();
  Best = MatchRecord{};
  Matches.clear();
  BestSeen.reset();
}

void AnalysisResult::Add(const MatchRecord& match) {
  Matches.push_back(match);
  if (!Found || match.Score > Best.Score) Best = match;
  Found = true;
}

}  // namespace zor
