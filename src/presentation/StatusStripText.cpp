#include "presentation/StatusStripText.h"

#include <algorithm>
#include <charconv>

#include "presentation/FillText.h"
#include "presentation/TranslatableText.h"

namespace zor {
namespace {

constexpr std::u16string_view kNameSeparator = u" \u203A ";
constexpr std::u16string_view kDetailSeparator = u" \u00B7 ";
constexpr std::u16string_view kNoScore = u"\u2013";  // no position was scored
constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 3'600;
// Below this many steps a second the rate shows a decimal: a slow App's 0.5 is not 0.
constexpr double kWholeStepsFrom = 10.0;

constexpr std::array<const char*, kStripTextCount> kSources = {
    QT_TRANSLATE_NOOP("StatusStrip", "paused"),
    QT_TRANSLATE_NOOP("StatusStrip", "paused: no signal"),
    QT_TRANSLATE_NOOP("StatusStrip", "paused: screen size"),
    QT_TRANSLATE_NOOP("StatusStrip", "paused: operator input"),
    QT_TRANSLATE_NOOP("StatusStrip", "stalled"),
    QT_TRANSLATE_NOOP("StatusStrip", "error"),
    QT_TRANSLATE_NOOP("StatusStrip", "idle"),
    QT_TRANSLATE_NOOP("StatusStrip", "%1 %2 s ago"),
    QT_TRANSLATE_NOOP("StatusStrip", "%1 %2 min ago"),
    QT_TRANSLATE_NOOP("StatusStrip", "%1 %2 h ago"),
    QT_TRANSLATE_NOOP("StatusStrip", "%1 steps/s"),
    QT_TRANSLATE_NOOP("StatusStrip", "+%1 Apps"),
};

const std::u16string& Text(const StripTexts& texts, StripText which) { return texts[static_cast<size_t>(which)]; }

// Fixed-point digits whatever the process's locale: the strip shows "0.91" everywhere.
std::u16string Fixed(double value, int decimals) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals).ptr;
  return std::u16string(digits, end);
}

std::u16string Whole(int64_t value) { return Fixed(static_cast<double>(value), 0); }

void Append(std::u16string& line, std::u16string_view separator, std::u16string_view part) {
  if (part.empty()) return;
  if (!line.empty()) line += separator;
  line += part;
}

std::u16string Names(const AppStatus& app) {
  std::u16string names;
  for (const std::u16string* name : {&app.app, &app.scene, &app.item}) {
    Append(names, kNameSeparator, std::u16string_view(*name).substr(0, kStripMaxNameChars));
  }
  return names;
}

std::u16string StateText(const AppStatus& app, const StripTexts& texts) {
  switch (app.state) {
    case AppRunState::kRunning:
    case AppRunState::kWaitingForMatch: return {};  // the colour and the score say it
    case AppRunState::kStalled: return Text(texts, StripText::kStalled);
    case AppRunState::kError: return Text(texts, StripText::kError);
    case AppRunState::kIdle: return Text(texts, StripText::kIdle);
    case AppRunState::kPaused: break;
  }
  switch (app.hold) {
    case HoldReason::kNoSignal: return Text(texts, StripText::kPausedNoSignal);
    case HoldReason::kScreenSize: return Text(texts, StripText::kPausedScreenSize);
    case HoldReason::kOperator: return Text(texts, StripText::kPausedOperator);
    case HoldReason::kNone: break;
  }
  return Text(texts, StripText::kPaused);
}

std::u16string ScoreText(const AppStatus& app) {
  if (app.item.empty()) return {};  // nothing evaluated yet
  const std::u16string score = app.score ? Fixed(*app.score, 2) : std::u16string(kNoScore);
  return score + u" / " + Fixed(app.threshold, 2);
}

std::u16string ActionText(const AppStatus& app, int64_t now_ms, const StripTexts& texts) {
  if (app.last_action == ActionCode::None) return {};
  const std::u16string name(ActionCodeName(app.last_action));
  const int64_t age_s = std::max<int64_t>(now_ms - app.last_action_ms, 0) / 1000;
  if (age_s < kSecondsPerMinute) return Fill(Text(texts, StripText::kSecondsAgo), name, Whole(age_s));
  if (age_s < kSecondsPerHour) {
    return Fill(Text(texts, StripText::kMinutesAgo), name, Whole(age_s / kSecondsPerMinute));
  }
  return Fill(Text(texts, StripText::kHoursAgo), name, Whole(age_s / kSecondsPerHour));
}

std::u16string RateText(const AppStatus& app, int64_t now_ms, const StripTexts& texts) {
  // A whole rate window without a step: the rate has fallen to nothing since it was counted.
  const double rate = now_ms - app.last_step_ms >= kStepRateWindowMs ? 0.0 : app.steps_per_s;
  return Fill(Text(texts, StripText::kStepsPerSecond), Fixed(rate, rate < kWholeStepsFrom ? 1 : 0));
}

StripLine LineOf(const AppStatus& app, int64_t now_ms, const StripTexts& texts) {
  StripLine line{app.state, Names(app), {}};
  for (const std::u16string& part :
       {StateText(app, texts), ScoreText(app), ActionText(app, now_ms, texts), RateText(app, now_ms, texts)}) {
    Append(line.details, kDetailSeparator, part);
  }
  return line;
}

// Which state needs the operator first, for the line that stands for several Apps.
int Urgency(AppRunState state) {
  switch (state) {
    case AppRunState::kError: return 5;
    case AppRunState::kStalled: return 4;
    case AppRunState::kPaused: return 3;
    case AppRunState::kWaitingForMatch: return 2;
    case AppRunState::kRunning: return 1;
    case AppRunState::kIdle: return 0;
  }
  return 0;
}

}  // namespace

const char* StripSourceText(StripText text) { return kSources[static_cast<size_t>(text)]; }

StripTexts SourceStripTexts() {
  StripTexts texts;
  for (size_t i = 0; i < kStripTextCount; ++i) {
    const std::string_view source = kSources[i];  // ASCII
    texts[i] = std::u16string(source.begin(), source.end());
  }
  return texts;
}

std::vector<StripLine> StatusStripLines(const RunnerStatus& status, const StripTexts& texts) {
  const std::vector<AppStatus>& apps = status.apps;
  const size_t shown = apps.size() <= kStripMaxLines ? apps.size() : kStripMaxLines - 1;
  std::vector<StripLine> lines;
  for (size_t i = 0; i < shown; ++i) lines.push_back(LineOf(apps[i], status.now_ms, texts));
  if (shown == apps.size()) return lines;
  StripLine more{apps[shown].state, {}, Fill(Text(texts, StripText::kMoreApps), Whole(int64_t(apps.size() - shown)))};
  for (size_t i = shown; i < apps.size(); ++i) {
    if (Urgency(apps[i].state) > Urgency(more.state)) more.state = apps[i].state;
  }
  lines.push_back(std::move(more));
  return lines;
}

}  // namespace zor
