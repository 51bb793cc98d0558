#include <algorithm>
#include <cstddef>
#include <semaphore>
#include <thread>

#include "analysis/AnalysisEngine.h"

namespace zor {
namespace {

constexpr std::ptrdiff_t kMaxTurns = 64;

std::counting_semaphore<kMaxTurns>& Turns() {
  static std::counting_semaphore<kMaxTurns> turns(
      std::clamp<std::ptrdiff_t>(std::thread::hardware_concurrency(), 1, kMaxTurns));
  return turns;
}

thread_local bool t_holds_turn = false;

}  // namespace

AnalysisTurn::AnalysisTurn(int64_t region_pixels)
    : held_(region_pixels >= kLargeRegionPixels && !t_holds_turn) {
  if (!held_) return;
  Turns().acquire();
  t_holds_turn = true;
}

AnalysisTurn::~AnalysisTurn() {
  if (!held_) return;
  t_holds_turn = false;
  Turns().release();
}

}  // namespace zor
