#pragma once
// A picture need in words, for the names of parameterised test cases (gtest would otherwise print
// their bytes, padding included).
#include <string>

#include "model/PictureNeed.h"

namespace zor::test {

inline std::string NeedText(const PictureNeed& need) {
  if (need.IsUnseen()) return "unseen";
  if (need.IsFullSize()) return "full size";
  return "fit " + std::to_string(need.fit_width) + "x" + std::to_string(need.fit_height);
}

}  // namespace zor::test
