#pragma once
// What the runner reports to the scene editor while the editor tests an Item or runs its Scene.
// The editor implements it; the runner keeps no reference to anything it hands over.
#include <cstdint>
#include <optional>

#include "analysis/AnalysisResult.h"

namespace zor {

// Where the runner's last action went, in remote screen pixels. Zero fields mean "nothing to
// show" (the editor draws the point only when X > 0 and the area only when Left > 0).
struct ActionMark {
  int32_t X = 0;  // pointer actions: the point clicked or moved to (a drag's start)
  int32_t Y = 0;
  // The rectangle of the match that produced the action; right and bottom exclusive.
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  friend bool operator==(const ActionMark&, const ActionMark&) = default;
};

// Called on the worker thread of the editor's test only, never by the workers of Apps that run
// beside it. Store the copy under a short lock of your own and post a repaint; never block, and
// never call back into the runner or the session from here.
class IRunnerTestListener {
 public:
  virtual ~IRunnerTestListener() = default;
  // Item test: the best match of each analysis of the tested Item, found or not (Valid 0 when
  // nothing was found), and the best position the analysis saw, which below the threshold shows
  // how close the Item came (AnalysisResult::BestSeen).
  virtual void SetTestBestMatch(const MatchRecord& best, const std::optional<ScoredPosition>& best_seen) = 0;
  // Scene run: an action of an Item was just sent to the device.
  virtual void SetLastAction(const ActionMark& mark) = 0;
};

}  // namespace zor
