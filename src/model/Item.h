#pragma once
// One target of a Scene: where it was captured, how the analysis finds it (engine, threshold,
// parameters, template image), and the script that runs when it is found. Fields marked "run
// time" are never stored in the scene file and start at their defaults on every load.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ItemAction.h"

namespace zor {

// Engine types of an Item.
inline constexpr int32_t kEngineImage = 0;    // image template match
inline constexpr int32_t kEnginePattern = 1;  // colour pattern match
inline constexpr int32_t kEngineBinPat = 2;   // binarised pattern match

inline constexpr float kDefaultThreshold = 0.95f;

// A template image in the layout of the client's screen image: 4 bytes per pixel in the order
// B, G, R, A, rows top to bottom, stride exactly Width * 4. Engines wrap Pixels in a cv::Mat
// (CV_8UC4) without copying once IsUsable() holds.
struct TemplateImage {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Pixels;

  // True when the image has at least one pixel and Pixels holds exactly Width * Height * 4 bytes.
  // The scene file does not tie the byte count to the size, so a damaged file can disagree.
  bool IsUsable() const;

  friend bool operator==(const TemplateImage&, const TemplateImage&) = default;
};

// One analysis parameter "key=value"; keys are matched case-sensitively, first one wins.
struct ItemParam {
  std::u16string Key;
  std::u16string Value;

  friend bool operator==(const ItemParam&, const ItemParam&) = default;
};

struct Item {
  // --- run time ---
  int32_t Number = 0;               // copied into match records; nothing else sets it
  bool Active = true;               // only active Items are evaluated; scripts switch it
  uint64_t ItemDelay = 0;           // selections still to pass over this Item
  uint64_t CooldownMs = 0;          // least time between two evaluations; 0 = none
  uint64_t LastEvalMs = 0;          // tick count when the runner last selected this Item
  std::vector<ItemAction> Actions;  // rebuilt by each run of the script

  // --- stored, in file order ---
  int32_t Index = 0;  // serial number given at creation; pairs the Item with its editor marker
  int32_t AnalysisType = kEngineImage;  // kEngineImage, kEnginePattern or kEngineBinPat
  std::u16string Name;
  int32_t Reserved = 0;
  // Screen rectangle the template was captured from (remote screen pixels).
  int32_t CaptureLeft = 0;
  int32_t CaptureTop = 0;
  int32_t CaptureWidth = 0;
  int32_t CaptureHeight = 0;
  // Click point relative to the capture's top-left (used by the "...RE" actions).
  int32_t ClickOffsetX = 0;
  int32_t ClickOffsetY = 0;
  // Work area relative to the capture's top-left (used by "set workarea").
  int32_t WorkOffsetX = 0;
  int32_t WorkOffsetY = 0;
  int32_t WorkWidth = 0;
  int32_t WorkHeight = 0;
  uint32_t Color = 0;
  float Threshold = kDefaultThreshold;
  std::u16string Script;
  std::vector<ItemParam> Params;
  TemplateImage Template;

  // The first parameter named `key` read as a decimal number; `fallback` when it is missing,
  // empty, has no digits or is out of range. Leading white space is skipped, trailing text ignored.
  int32_t GetParamInt(std::u16string_view key, int32_t fallback) const;
  float GetParamFloat(std::u16string_view key, float fallback) const;

  // True when every stored field equals the other Item's (run-time fields are not compared).
  bool SameStoredFields(const Item& other) const;
};

}  // namespace zor
