#pragma once
// Finding an Item's target in a screen image: the engine interface and the one entry point that
// the runner and the scene editor call. Engines keep no state between calls, so any thread may
// run them; in the program they run on an App's worker thread.
#include <cstdint>
#include <span>

#include "analysis/AnalysisResult.h"

namespace zor {

struct Item;

// A rectangle in screen pixels; right and bottom are exclusive.
struct WorkRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// What the runner hands to RunAnalysis: its own copy of the frame, viewed, not copied again.
struct AnalysisFrame {
  WorkRect RcWork;     // the work area; empty or outside the image means the whole image
  int32_t Width = 0;   // screen width in pixels
  int32_t Height = 0;  // screen height in pixels
  std::span<const uint8_t> Pixels;  // BGRA, rows top to bottom, stride Width * 4
};

class IAnalysisEngine {
 public:
  virtual ~IAnalysisEngine() = default;

  // Looks for `item`'s template in the BGRA screen `pixels` (stride width * 4), inside
  // `work_area` when given. Fills `result` (cleared first); true when at least one match was
  // recorded. Never throws; failures leave a message in the result.
  virtual bool Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                       const Item& item, AnalysisResult& result) = 0;
};

// A turn for an analysis of a large region. Such an analysis holds working memory in proportion
// to its region for the length of the call (a grey or colour copy, the float scores, the
// correlation's transforms): tens of MB for a whole 1920 x 1080 screen. Running more of them at
// once than there are cores makes none faster, but when many Apps start together (each first
// searches the whole screen) every one would hold its working memory at the same moment. So
// they take turns, as many at a time as there are cores; a small region needs no turn. A thread
// that holds a turn already is not made to wait for a second (RunAnalysis takes one itself, and
// a caller may take its turn before it fetches the picture to analyse).
class AnalysisTurn {
 public:
  static constexpr int64_t kLargeRegionPixels = 1'000'000;

  // Waits for a turn when `region_pixels` is large and the thread holds none.
  explicit AnalysisTurn(int64_t region_pixels);
  ~AnalysisTurn();
  AnalysisTurn(const AnalysisTurn&) = delete;
  AnalysisTurn& operator=(const AnalysisTurn&) = delete;

 private:
  bool held_ = false;
};

// Clears `result` and runs the engine of the Item's type on `frame`; an unknown type fails with
// a message. A frame whose pixel bytes are fewer than Width * Height * 4 is searched as an empty
// screen, so the engine reports its work-area message instead of reading past the bytes.
bool RunAnalysis(const AnalysisFrame& frame, const Item& item, AnalysisResult& result);

}  // namespace zor
