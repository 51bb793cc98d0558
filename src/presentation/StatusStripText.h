#pragma once
// What the status strip over a pane's thumbnail says about the pane's running Apps, and in
// which state's colour; the widget only draws the lines. Plain functions, any thread.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "automation/AppStatus.h"

namespace zor {

// Lines the strip shows at most. Each line covers a band of the thumbnail; three of them take
// about a fifth of its height, and the picture under them stays readable. With more Apps the
// last line stands for the Apps left out ("+N Apps") in the colour of the most urgent of them,
// so that trouble on a hidden App still shows: this keeps one line per App, which each App's
// own score and action need, for the one to three Apps a device usually runs.
inline constexpr size_t kStripMaxLines = 3;

// Characters of an App, Scene or Item name kept for the strip: the names come from files, and
// a line of the strip holds far fewer; the widget elides what does not fit.
inline constexpr size_t kStripMaxNameChars = 64;

// The strip's translatable texts. StripSourceText gives each one's English source text in the
// "StatusStrip" translation context; the GUI hands the formatter their translations.
enum class StripText : uint8_t {
  kPaused,             // "paused"
  kPausedNoSignal,     // "paused: no signal"
  kPausedScreenSize,   // "paused: screen size"
  kPausedOperator,     // "paused: operator input"
  kStalled,            // "stalled"
  kError,              // "error"
  kIdle,               // "idle"
  kSecondsAgo,         // "%1 %2 s ago": the action's name, the seconds
  kMinutesAgo,         // "%1 %2 min ago"
  kHoursAgo,           // "%1 %2 h ago"
  kStepsPerSecond,     // "%1 steps/s"
  kMoreApps,           // "+%1 Apps"
  kCount,
};
inline constexpr size_t kStripTextCount = static_cast<size_t>(StripText::kCount);
using StripTexts = std::array<std::u16string, kStripTextCount>;

const char* StripSourceText(StripText text);
// The English source texts themselves (a program without translations shows these).
StripTexts SourceStripTexts();

struct StripLine {
  AppRunState state = AppRunState::kRunning;  // picks the line's colour
  std::u16string names;    // "App › Scene › Item", empty names left out
  std::u16string details;  // "paused: no signal · 0.62 / 0.95 · CLK 3 s ago · 2.5 steps/s"

  friend bool operator==(const StripLine&, const StripLine&) = default;
};

// The strip's lines for a runner's Apps, at most kStripMaxLines; none without Apps.
std::vector<StripLine> StatusStripLines(const RunnerStatus& status, const StripTexts& texts);

}  // namespace zor
