#include "automation/ItemScript.h"

#include <algorithm>
#include <cstdint>

#include "platform/LenientNumber.h"

namespace zor {
namespace {

bool IsLineSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Command words match in any ASCII case: LAST, Last and last are one command.
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Additions of file values to screen positions wrap like the 32-bit registers they came from,
// instead of overflowing.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

std::u16string_view TokenText(const ScriptTokens& tokens, size_t i) {
  return i >= 1 && i <= tokens.size() ? std::u16string_view(tokens[i - 1]) : std::u16string_view();
}

size_t CountActiveItems(const AppInfo& app) {
  if (!app.Scene) return 0;
  size_t count = 0;
  for (const auto& item : app.Scene->Items) count += item->Active ? 1 : 0;
  return count;
}

// Largest App delay and Item delay a script can set, in steps.
constexpr int32_t kMaxAppDelaySteps = 100;
constexpr uint32_t kMaxItemDelaySteps = 100;

}  // namespace

std::vector<std::u16string_view> SplitScriptLines(std::u16string_view script) {
  std::vector<std::u16string_view> lines;
  while (!script.empty()) {
    const size_t end = script.find(u'\n');
    std::u16string_view line = script.substr(0, end);
    script = end == std::u16string_view::npos ? std::u16string_view() : script.substr(end + 1);
    while (!line.empty() && IsLineSpace(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsLineSpace(line.back())) line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

ScriptTokens TokenizeScriptLine(std::u16string_view line) {
  ScriptTokens tokens;
  std::u16string current;
  bool quoted = false;
  for (char16_t c : line) {
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && (c == u' ' || c == u'\t')) {
      if (!current.empty()) tokens.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) tokens.push_back(std::move(current));
  return tokens;
}

int32_t TokenInt(const ScriptTokens& tokens, size_t i) {
  return ParseLenientInt(TokenText(tokens, i)).value_or(0);
}

ItemAction ParseAction(const ScriptTokens& tokens, const Item& item, const MatchPlace& best,
                       const AppInfo& app) {
  ItemAction action;
  action.Code = LookupActionCode(TokenText(tokens, 2));
  const int32_t offset_x = WrappingAdd(best.Left, item.ClickOffsetX);
  const int32_t offset_y = WrappingAdd(best.Top, item.ClickOffsetY);
  switch (action.Code) {
    case ActionCode::Clk:
    case ActionCode::RClk:
    case ActionCode::DblClk:
    case ActionCode::RDblClk:
    case ActionCode::Move:
      action.X = best.CenterX;
      action.Y = best.CenterY;
      break;
    case ActionCode::ClkRe:
    case ActionCode::RClkRe:
    case ActionCode::DblClkRe:
    case ActionCode::RDblClkRe:
    case ActionCode::MoveRe:
      action.X = offset_x;
      action.Y = offset_y;
      break;
    case ActionCode::Drag:
    case ActionCode::DragRe:
      action.X = action.Code == ActionCode::Drag ? best.CenterX : offset_x;
      action.Y = action.Code == ActionCode::Drag ? best.CenterY : offset_y;
      action.X2 = TokenInt(tokens, 3);
      action.Y2 = TokenInt(tokens, 4);
      break;
    case ActionCode::Key:
      action.KeyUsage = static_cast<uint8_t>(TokenInt(tokens, 3) & 0xFF);
      action.KeyModifier = static_cast<uint8_t>(TokenInt(tokens, 4) & 0xFF);
      break;
    case ActionCode::Input:
      action.Text = TokenText(tokens, 3);
      break;
    case ActionCode::InputId:
      action.Text = app.UserId;
      break;
    case ActionCode::InputPass:
      action.Text = app.UserPassword;
      break;
    case ActionCode::InputStr:
      action.Text = app.UserDefine;
      break;
    case ActionCode::InputEtc:
      action.Text = app.UserEtc;
      break;
    case ActionCode::None:
      break;
  }
  return action;
}

void ApplySetCommand(const ScriptTokens& tokens, AppInfo& app, Item& item, const MatchPlace& best) {
  if (tokens.size() < 2) return;
  const std::u16string_view key = tokens[1];
  const int32_t value = TokenInt(tokens, 3);
  if (key == u"delay") {
    app.Delay = std::min(value, kMaxAppDelaySteps);
  } else if (key == u"cooldown") {
    // Sign-extended: a negative value becomes a cooldown so long the Item is never chosen again.
    item.CooldownMs = static_cast<uint64_t>(int64_t{value});
  } else if (key == u"itemdelay") {
    // Compared as unsigned, so every negative value also gives the largest delay.
    const auto steps = static_cast<uint32_t>(value);
    item.ItemDelay = steps > kMaxItemDelaySteps ? kMaxItemDelaySteps : steps;
  } else if (key == u"workarea") {
    app.WorkLeft = WrappingAdd(best.Left, item.WorkOffsetX);
    app.WorkTop = WrappingAdd(best.Top, item.WorkOffsetY);
    app.WorkWidth = item.WorkWidth;
    app.WorkHeight = item.WorkHeight;
  } else if (key == u"active" || key == u"inactive") {
    // Without a name the line targets this Item and its namesakes.
    const std::u16string_view name = TokenText(tokens, 3);
    app.SetItemsActive(key == u"active", name.empty() ? std::u16string_view(item.Name) : name);
  } else if (key == u"next") {
    app.SetItemsActive(false, u"");
  }
}

bool RunItemScript(AppInfo& app, Item& item, const MatchPlace& best) {
  item.Actions.clear();
  const size_t active_at_start = CountActiveItems(app);
  bool allow_actions = true;
  for (const std::u16string_view line : SplitScriptLines(item.Script)) {
    const ScriptTokens tokens = TokenizeScriptLine(line);
    if (tokens.empty()) continue;
    const std::u16string_view command = tokens[0];
    if (EqualsIgnoringCase(command, u"last")) {
      // "last n" lets the script act only while exactly n Items are active, and then ends the
      // Scene.
      if (int64_t{TokenInt(tokens, 2)} != static_cast<int64_t>(active_at_start)) {
        allow_actions = false;
      } else {
        app.SetItemsActive(false, u"");
      }
    } else if (EqualsIgnoringCase(command, u"final")) {
      app.SetItemsActive(false, u"");
    } else if (EqualsIgnoringCase(command, u"action")) {
      if (allow_actions) item.Actions.push_back(ParseAction(tokens, item, best, app));
    } else if (EqualsIgnoringCase(command, u"set")) {
      ApplySetCommand(tokens, app, item, best);
    }
  }
  return !item.Actions.empty();
}

}  // namespace zor
