// Automation end to end on zorkvm-sim, for both device types: templates captured from a frame of
// the simulated desktop, an App of two Scenes started with the pane's start button, and the
// input the simulated device received, read from its message log.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "automation/AutoRunner.h"
#include "AutomationTestSupport.h"
#include "input/HidReports.h"
#include "platform/CodePage.h"
#include "RunnerTestSupport.h"
#include "sim/SimScreen.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

constexpr int32_t kWidth = 960;
constexpr int32_t kHeight = 540;
const std::vector<std::string> kSimSize = {"--size", "960x540"};
// Where the drag of the second Scene ends.
constexpr int32_t kDragEndX = 300;
constexpr int32_t kDragEndY = 200;
const std::u16string kTyped = u"Hi \uD55C\uAE00";  // "Hi han-geul"

// An Item whose template is the frame's pixels inside `r`, as the editor captures it.
std::shared_ptr<Item> CapturedItem(const ScreenImage& frame, const SimRect& r, const std::u16string& name,
                                   const std::u16string& script) {
  auto item = std::make_shared<Item>();
  item->Name = name;
  item->Script = script;
  item->CaptureLeft = r.x;
  item->CaptureTop = r.y;
  item->CaptureWidth = r.w;
  item->CaptureHeight = r.h;
  item->Template.Width = r.w;
  item->Template.Height = r.h;
  for (int32_t y = r.y; y < r.y + r.h; ++y) {
    const auto row = frame.pixels.begin() + (static_cast<ptrdiff_t>(y) * frame.width + r.x) * 4;
    item->Template.Pixels.insert(item->Template.Pixels.end(), row, row + r.w * 4);
  }
  return item;
}

// One device with the pane's runner, connected like the connect timer does.
class Device {
 public:
  Device(DeviceInfo info, test::RunRecorder& recorder) : info_(std::move(info)), pane_(&info_) {
    info_.Apps = {u"E2E"};
    DeviceSession& session = pane_.Session();
    auto runner = std::make_unique<AutoRunner>(session, session, session);
    runner->SetObserver(&recorder);
    pane_.SetRunner(std::move(runner));
    pane_.Start();
    pane_.Execute(PaneCommand::ToggleConnection);
  }
  ~Device() { pane_.Execute(PaneCommand::ToggleConnection); }

  PaneController& Pane() { return pane_; }
  FramePtr FirstFrame() {
    FramePtr frame;
    WaitUntil([&] { return (frame = pane_.Session().CurrentFrame()) != nullptr; });
    return frame;
  }

 private:
  DeviceInfo info_;
  PaneController pane_;
};

class RunnerEndToEndLive : public ::testing::Test {
 protected:
  // Captures the two targets from the device's first frame, writes the App and its two Scenes,
  // presses the start button and waits until the second Scene's Item has acted.
  void RunTwoScenes(Device& device) {
    const FramePtr frame = device.FirstFrame();
    ASSERT_TRUE(frame) << "no frame from the simulator";
    ASSERT_EQ(frame->width, static_cast<uint32_t>(kWidth));
    auto ok = CapturedItem(*frame, layout_.ok_button, u"ok", u"action CLK\naction CLKRE\nfinal");
    ok->ClickOffsetX = 5;
    ok->ClickOffsetY = 3;
    const std::u16string second_script = u"action DRAG " + FromUtf8(std::to_string(kDragEndX)) + u" " +
                                         FromUtf8(std::to_string(kDragEndY)) + u"\naction KEY 4 2\naction INPUT \"" +
                                         kTyped + u"\"\nfinal";
    auto toggle = CapturedItem(*frame, layout_.toggle_button, u"toggle", second_script);
    SaveScene(u"Press", ok);
    SaveScene(u"Fill", toggle);
    AppInfo app;
    app.Name = u"E2E";
    app.Scenes = {u"Press", u"Fill"};
    ASSERT_TRUE(app.Save());

    device.Pane().Execute(PaneCommand::ToggleAutomation);  // the start button
    // The second Scene's actions come only after the first Scene ended and the App moved on.
    ASSERT_TRUE(WaitUntil([&] { return ActionCount() >= 5; }, 30000)) << "the actions were not all sent";
  }

  static void SaveScene(const std::u16string& name, std::shared_ptr<Item> item) {
    SceneData scene;
    scene.Name = name;
    scene.Items = {std::move(item)};
    ASSERT_TRUE(scene.Save(name + kSceneExtension));
  }

  size_t ActionCount() const {
    size_t n = 0;
    for (const std::string& e : recorder_.Events()) n += e.starts_with("action ");
    return n;
  }

  // The pointer actions as "move X Y", "down left", "up left", whichever protocol carried them.
  std::vector<std::string> ExpectedPointerInput() const {
    const SimRect& ok = layout_.ok_button;
    const SimRect& toggle = layout_.toggle_button;
    auto move = [](int32_t x, int32_t y) { return "move " + std::to_string(x) + " " + std::to_string(y); };
    return {move(ok.x + ok.w / 2, ok.y + ok.h / 2), "down left", "up left",
            move(ok.x + 5, ok.y + 3),               "down left", "up left",
            move(toggle.x + toggle.w / 2, toggle.y + toggle.h / 2), "down left",
            move(kDragEndX, kDragEndY),             "up left"};
  }

  test::TempProgramFolder folder_;
  test::RunRecorder recorder_;
  const SimLayout layout_ = MakeSimLayout(kWidth, kHeight);
};

TEST_F(RunnerEndToEndLive, SoftwareAgentReceivesTheClicksAndTheDragButNoKeys) {
  test::SimProcessOptions options;
  options.extra_args = kSimSize;
  test::SimProcess sim(options);
  ASSERT_TRUE(sim.Ready());
  {
    Device device(test::SoftKvmDevice(FromUtf8(sim.Address()), sim.Port(), kWidth, kHeight), recorder_);
    RunTwoScenes(device);
  }
  std::vector<std::string> pointer;
  bool keys_or_text = false;
  for (const std::string& text : sim.ReceivedTexts()) {
    const auto j = nlohmann::json::parse(text, nullptr, false);
    const std::string action = j.is_object() ? j.value("action", "") : "";
    if (action == "move") pointer.push_back("move " + j["x"].dump() + " " + j["y"].dump());
    if (action == "down" || action == "up") pointer.push_back(action + " " + j.value("button", ""));
    keys_or_text |= action == "keydown" || action == "keyup";
  }
  EXPECT_EQ(pointer, ExpectedPointerInput());
  EXPECT_FALSE(keys_or_text);
}

TEST_F(RunnerEndToEndLive, HardwareDeviceReceivesClicksDragKeyComboAndKoreanText) {
  test::TesselSim sim(kSimSize);
  ASSERT_TRUE(sim.Ready());
  {
    Device device(sim.Device(kWidth, kHeight), recorder_);
    RunTwoScenes(device);
  }
  // Mouse reports back in pixels: a press or release repeats the last position.
  std::vector<std::string> pointer;
  int32_t held = 0;
  std::vector<std::pair<int, int>> keys;
  for (const auto& j : sim.LinesWith("report")) {
    if (j["report"] == "mouse") {
      const int32_t buttons = j["buttons"].get<int32_t>();
      if (buttons != held) {
        pointer.push_back(std::string(buttons ? "down" : "up") + " left");
        held = buttons;
        continue;
      }
      const auto x = j["x"].get<int32_t>();
      const auto y = j["y"].get<int32_t>();
      pointer.push_back("move " + std::to_string(x) + " " + std::to_string(y));
    } else {
      keys.emplace_back(j["modifiers"].get<int>(), j["usage"].get<int>());
    }
  }
  std::vector<std::string> expected;
  for (const std::string& line : ExpectedPointerInput()) {
    int32_t x = 0, y = 0;
    if (std::sscanf(line.c_str(), "move %d %d", &x, &y) == 2) {
      expected.push_back("move " + std::to_string(hid::ScaleToAbsolute(x, kWidth)) + " " +
                         std::to_string(hid::ScaleToAbsolute(y, kHeight)));
    } else {
      expected.push_back(line);
    }
  }
  EXPECT_EQ(pointer, expected);
  ASSERT_GE(keys.size(), 2u);
  EXPECT_EQ(keys[0], std::make_pair(2, 4));  // Shift + a: the KEY action's capital A
  const auto fields = sim.WaitForLines("field", keys.size());
  ASSERT_FALSE(fields.empty());
  EXPECT_EQ(FromUtf8(fields.back()["field"].get<std::string>()), u"A" + kTyped);
}

}  // namespace
}  // namespace zor
