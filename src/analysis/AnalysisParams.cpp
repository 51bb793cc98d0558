#include "analysis/AnalysisParams.h"

#include "model/Item.h"

namespace zor {

std::u16string GetParamText(const Item& item, std::u16string_view key, std::u16string_view fallback) {
  for (const ItemParam& param : item.Params) {
    if (param.Key == key) return param.Value;
  }
  return std::u16string(fallback);
}

AnalysisParams ReadAnalysisParams(const Item& item) {
  AnalysisParams params;
  params.Single = GetParamText(item, kParamMode, kModeDefault) == u"Single";
  params.Fast = GetParamText(item, kParamSearchMode, kSearchModeDefault) == u"Fast";
  params.Colour = GetParamText(item, kParamColorMode, kColorModeDefault) == u"True";
  params.Tolerance = item.GetParamFloat(kParamTolerance, kToleranceDefault);
  params.BinThreshold = item.GetParamInt(kParamBinThreshold, kBinThresholdDefault);
  params.Box.MinR = item.GetParamInt(kParamMinR, 0);
  params.Box.MinG = item.GetParamInt(kParamMinG, 0);
  params.Box.MinB = item.GetParamInt(kParamMinB, 0);
  params.Box.MaxR = item.GetParamInt(kParamMaxR, 255);
  params.Box.MaxG = item.GetParamInt(kParamMaxG, 255);
  params.Box.MaxB = item.GetParamInt(kParamMaxB, 255);
  return params;
}

}  // namespace zor
