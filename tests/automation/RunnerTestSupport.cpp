#include "RunnerTestSupport.h"

#include <chrono>
#include <opencv2/core.hpp>

#include "model/ActionCode.h"
#include "platform/CodePage.h"

namespace zor::test {
namespace {

constexpr uint32_t kBackgroundSeed = 7;

// Opaque BGRA noise of one seed: every window of it is distinct, so only copies score near 1.
cv::Mat Pattern(int32_t width, int32_t height, uint32_t seed) {
  cv::Mat image(height, width, CV_8UC4);
  cv::RNG rng(seed);
  rng.fill(image, cv::RNG::UNIFORM, 0, 256);
  // A plain loop: OpenCV's parallel forEach runs on threads the thread sanitizer cannot follow.
  for (size_t alpha = 3; alpha < image.total() * 4; alpha += 4) image.data[alpha] = 255;
  return image;
}

}  // namespace

FramePtr ScriptedFrame(int32_t width, int32_t height, const std::vector<Target>& targets) {
  cv::Mat screen = Pattern(width, height, kBackgroundSeed);
  for (const Target& t : targets) Pattern(kTargetSide, kTargetSide, t.seed).copyTo(screen(cv::Rect(t.x, t.y, kTargetSide, kTargetSide)));
  auto frame = std::make_shared<ScreenImage>();
  frame->width = static_cast<uint32_t>(width);
  frame->height = static_cast<uint32_t>(height);
  frame->pixels.assign(screen.data, screen.data + screen.total() * 4);
  return frame;
}

std::shared_ptr<Item> TargetItem(const std::u16string& name, uint32_t seed, const std::u16string& script) {
  auto item = std::make_shared<Item>();
  item->Name = name;
  item->Script = script;
  const cv::Mat pattern = Pattern(kTargetSide, kTargetSide, seed);
  item->Template.Width = kTargetSide;
  item->Template.Height = kTargetSide;
  item->Template.Pixels.assign(pattern.data, pattern.data + pattern.total() * 4);
  item->CaptureWidth = kTargetSide;
  item->CaptureHeight = kTargetSide;
  item->Params.push_back({u"Mode", u"Single"});
  return item;
}

uint64_t RunRecorder::StepOf(int32_t app) const {
  const auto index = static_cast<size_t>(app);
  return (index < steps_.size() ? steps_[index] : 0) + 1;
}

void RunRecorder::Note(const AppInfo& app, std::string event) {
  {
    std::lock_guard lock(mutex_);
    // OnSceneLoaded of the first Scene comes before any step.
    const bool before_steps = event.starts_with("loaded") && app.CurrentScene == 0;
    events_.push_back(event + " at " + std::to_string(before_steps ? 0 : StepOf(app.Index)));
  }
  changed_.notify_all();
}

void RunRecorder::OnSceneLoaded(const AppInfo& app) {
  Note(app, "loaded " + std::to_string(app.Index) + " " + std::to_string(app.CurrentScene));
}

void RunRecorder::OnItemEvaluated(const AppInfo& app, const Item& item, const WorkRect& area,
                                  const AnalysisResult& result) {
  std::lock_guard lock(mutex_);
  evaluations_.push_back({app.Index, item.Name, area, result.Best, item.LastEvalMs, StepOf(app.Index)});
}

void RunRecorder::OnActionSent(const AppInfo& app, const Item&, const ItemAction& action) {
  Note(app, "action " + std::to_string(app.Index) + " " + ToUtf8(ActionCodeName(action.Code)));
}

void RunRecorder::OnSceneChanged(const AppInfo& app) {
  Note(app, "changed " + std::to_string(app.Index) + " " + std::to_string(app.CurrentScene));
}

void RunRecorder::OnAppIdle(const AppInfo& app) { Note(app, "idle " + std::to_string(app.Index)); }

void RunRecorder::OnStepDone(const AppInfo& app) {
  {
    std::lock_guard lock(mutex_);
    const auto index = static_cast<size_t>(app.Index);
    if (steps_.size() <= index) steps_.resize(index + 1);
    ++steps_[index];
  }
  changed_.notify_all();
}

std::vector<RunRecorder::Evaluation> RunRecorder::Evaluations(int32_t app) const {
  std::lock_guard lock(mutex_);
  std::vector<Evaluation> out;
  for (const Evaluation& e : evaluations_) {
    if (app < 0 || e.app == app) out.push_back(e);
  }
  return out;
}

std::vector<std::string> RunRecorder::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

uint64_t RunRecorder::Steps(int32_t app) const {
  std::lock_guard lock(mutex_);
  const auto index = static_cast<size_t>(app);
  return index < steps_.size() ? steps_[index] : 0;
}

bool RunRecorder::WaitForSteps(int32_t app, uint64_t steps, int timeout_ms) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] {
    const auto index = static_cast<size_t>(app);
    return index < steps_.size() && steps_[index] >= steps;
  });
}

void RecordingListener::SetTestBestMatch(const MatchRecord& best, const std::optional<ScoredPosition>& best_seen) {
  std::lock_guard lock(mutex_);
  bests_.push_back(best);
  bests_seen_.push_back(best_seen);
}

void RecordingListener::SetLastAction(const ActionMark& mark) {
  std::lock_guard lock(mutex_);
  marks_.push_back(mark);
}

std::vector<MatchRecord> RecordingListener::Bests() const {
  std::lock_guard lock(mutex_);
  return bests_;
}

std::vector<std::optional<ScoredPosition>> RecordingListener::BestsSeen() const {
  std::lock_guard lock(mutex_);
  return bests_seen_;
}

std::vector<ActionMark> RecordingListener::Marks() const {
  std::lock_guard lock(mutex_);
  return marks_;
}

ScriptedClient::ScriptedClient(IRunObserver& observer, const IPacingClock& clock) {
  device.Type = 7;  // no driver of its own
  auto owned_runner = std::make_unique<AutoRunner>(client, client, client, clock);
  runner = owned_runner.get();
  runner->SetObserver(&observer);
  pane.SetRunner(std::move(owned_runner));
  pane.Start();
  auto owned_driver = std::make_unique<RecordingDriver>();
  driver = owned_driver.get();
  client.SetDriver(std::move(owned_driver));
}

ScriptedClient::~ScriptedClient() {
  // A test that failed while holding its driver would never stop otherwise.
  if (auto* current = dynamic_cast<RecordingDriver*>(client.Driver())) current->Release();
  runner->StopRun();
}

}  // namespace zor::test
