#include "model/Item.h"

#include <optional>

#include "platform/LenientNumber.h"

namespace zor {
namespace {

const std::u16string* FindParam(const std::vector<ItemParam>& params, std::u16string_view key) {
  for (const auto& p : params) {
    if (p.Key == key) return &p.Value;
  }
  return nullptr;
}

}  // namespace

bool TemplateImage::IsUsable() const {
  if (Width < 1 || Height < 1) return false;
  const uint64_t expected = uint64_t(uint32_t(Width)) * uint32_t(Height) * 4;
  return Pixels.size() == expected;
}

int32_t Item::GetParamInt(std::u16string_view key, int32_t fallback) const {
  const std::u16string* value = FindParam(Params, key);
  if (value == nullptr) return fallback;
  return ParseLenientInt(*value).value_or(fallback);
}

float Item::GetParamFloat(std::u16string_view key, float fallback) const {
  const std::u16string* value = FindParam(Params, key);
  if (value == nullptr) return fallback;
  return ParseLenientFloat(*value).value_or(fallback);
}

bool Item::SameStoredFields(const Item& o) const {
  return Index == o.Index && AnalysisType == o.AnalysisType && Name == o.Name &&
         Reserved == o.Reserved && CaptureLeft == o.CaptureLeft && CaptureTop == o.CaptureTop &&
         CaptureWidth == o.CaptureWidth && CaptureHeight == o.CaptureHeight &&
         ClickOffsetX == o.ClickOffsetX && ClickOffsetY == o.ClickOffsetY &&
         WorkOffsetX == o.WorkOffsetX && WorkOffsetY == o.WorkOffsetY && WorkWidth == o.WorkWidth &&
         WorkHeight == o.WorkHeight && Color == o.Color && Threshold == o.Threshold &&
         Script == o.Script && Params == o.Params && Template == o.Template;
}

}  // namespace zor
