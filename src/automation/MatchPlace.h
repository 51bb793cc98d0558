#pragma once
// Where the analysis found an Item's target, as the script and its actions need it: the best
// match's top-left corner and centre in remote screen pixels. The runner fills it from the best
// record of its analysis result.
#include <cstdint>

namespace zor {

struct MatchPlace {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t CenterX = 0;
  int32_t CenterY = 0;
};

}  // namespace zor
