#include "presentation/RunEventLines.h"

#include <optional>

#include "model/ActionCode.h"
#include "platform/CodePage.h"

namespace zor {
namespace {

using nlohmann::ordered_json;

// Where and how close the analysis came, found or not: "score" stays 0 on a miss, as it always
// was, and these say why. Null when nothing was scored (the message says why).
ordered_json BestSeenFields(const std::optional<ScoredPosition>& seen) {
  if (!seen) return {{"best_score", nullptr}, {"best_left", nullptr}, {"best_top", nullptr}};
  return {{"best_score", seen->Score}, {"best_left", seen->Left}, {"best_top", seen->Top}};
}

}  // namespace

ordered_json ConnectedLine(size_t device, const ScreenImage& frame) {
  return {{"event", "connected"}, {"device", device}, {"width", frame.width}, {"height", frame.height}};
}

ordered_json AppLoadFailedLine(size_t device, const std::u16string& app, const std::string& reason) {
  return {{"event", "app_load_failed"}, {"device", device}, {"app", ToUtf8(app)}, {"reason", reason}};
}

void RunEventLines::OnSceneLoaded(const AppInfo& app) {
  if (!app.SceneLoad.Whole()) {
    sink_.Write({{"event", "scene_load_failed"}, {"device", device_}, {"app", ToUtf8(app.Name)},
                 {"scene", ToUtf8(app.CurrentSceneName())}, {"reason", app.SceneLoad.Reason()}});
  }
  sink_.Write(AppLine("scene_loaded", app, {{"items", app.Scene ? app.Scene->Items.size() : 0}}));
}

void RunEventLines::OnItemEvaluated(const AppInfo& app, const Item& item, const WorkRect& area,
                                    const AnalysisResult& result) {
  const MatchRecord& best = result.Best;
  ordered_json line =
      AppLine("item_evaluated", app, {{"item", ToUtf8(item.Name)}, {"found", best.Valid != 0}, {"score", best.Score}});
  line.update(BestSeenFields(result.BestSeen));
  line["area"] = {area.Left, area.Top, area.Right, area.Bottom};
  if (!result.Message.empty()) line["message"] = ToUtf8(result.Message);
  sink_.Write(line);
  if (!best.Valid) return;
  sink_.Write(AppLine("match", app, {{"item", ToUtf8(item.Name)}, {"score", best.Score}, {"left", best.Left},
                                     {"top", best.Top}, {"center_x", best.CenterX}, {"center_y", best.CenterY}}));
}

void RunEventLines::OnActionSent(const AppInfo& app, const Item& item, const ItemAction& action) {
  sink_.Write(AppLine("action_sent", app, {{"item", ToUtf8(item.Name)},
                                           {"action", ToUtf8(ActionCodeName(action.Code))},
                                           {"x", action.X}, {"y", action.Y},
                                           {"x2", action.X2}, {"y2", action.Y2},
                                           {"key_usage", action.KeyUsage},
                                           {"key_modifier", action.KeyModifier},
                                           {"text", ToUtf8(action.Text)}}));
}

void RunEventLines::OnSceneChanged(const AppInfo& app) { sink_.Write(AppLine("scene_changed", app)); }

void RunEventLines::OnAppIdle(const AppInfo& app) { sink_.Write(AppLine("app_idle", app)); }

void RunEventLines::OnHoldChanged(HoldReason hold) {
  if (hold == HoldReason::kNone) {
    sink_.Write({{"event", "resumed"}, {"device", device_}});
  } else {
    sink_.Write({{"event", "paused"}, {"device", device_}, {"reason", HoldReasonName(hold)}});
  }
}

void RunEventLines::OnStalled(const AppInfo& app, int64_t seconds) {
  sink_.Write({{"event", "stalled"}, {"device", device_}, {"app", ToUtf8(app.Name)},
               {"scene", ToUtf8(app.CurrentSceneName())}, {"seconds", seconds}});
}

ordered_json RunEventLines::AppLine(const char* event, const AppInfo& app, const ordered_json& details) const {
  ordered_json line{{"event", event},           {"device", device_}, {"app", ToUtf8(app.Name)},
                    {"app_index", app.Index},   {"scene_index", app.CurrentScene},
                    {"scene", ToUtf8(app.CurrentSceneName())}};
  line.update(details);
  return line;
}

}  // namespace zor
