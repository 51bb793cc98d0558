// SoftKvmDriver against the project's own simulator: what the driver sends, and the frames it
// delivers, over real loopback sockets.
#include <gtest/gtest.h>

#include <algorithm>

#include "device/SoftKvmDriver.h"
#include "support/ManualClock.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::RecordingOwner;
using test::SimProcess;
using test::WaitUntil;

constexpr char kAddress[] = "127.0.0.31";
constexpr char16_t kWideAddress[] = u"127.0.0.31";
constexpr uint32_t kWidth = 640;
constexpr uint32_t kHeight = 360;

constexpr char kSnapshot[] = R"({"action":"snapshot","quality":60,"type":"SCRCTL"})";
constexpr char kStream[] = R"({"action":"stream","fps":15,"quality":70,"type":"SCRCTL"})";
constexpr char kStopStream[] = R"({"action":"stop_stream","type":"SCRCTL"})";

class SoftKvmDriverLive : public ::testing::Test {
 protected:
  SoftKvmDriverLive()
      : sim_({kAddress, 0, {"--size", "640x360"}, {}}),
        owner_(test::SoftKvmDevice(kWideAddress, sim_.Port(), kWidth, kHeight)),
        driver_(std::make_unique<SoftKvmDriver>(owner_)) {}

  // Paces the driver by the hand-moved clock from here on.
  void UseManualClock() {
    driver_ = std::make_unique<SoftKvmDriver>(owner_, clock_);
    manual_clock_ = true;
  }

  // Connects and waits for the first frame, so the socket is open for what follows. A poller on
  // the hand-moved clock asks again only when the clock moves, and its first request may go
  // out before the socket is open.
  void ConnectAndWaitForFrame() {
    ASSERT_TRUE(sim_.Ready());
    driver_->Connect();
    ASSERT_TRUE(WaitUntil([&] {
      if (owner_.FrameCount() >= 1) return true;
      if (manual_clock_) clock_.Advance(kSnapshotIntervalMs * 1'000'000);
      return false;
    }));
  }

  // Texts the simulator received, without the snapshot requests of polling.
  std::vector<std::string> NonSnapshotTexts() const {
    std::vector<std::string> texts = sim_.ReceivedTexts();
    std::erase(texts, std::string(kSnapshot));
    return texts;
  }

  bool WaitForTexts(size_t count) {
    return WaitUntil([&] { return NonSnapshotTexts().size() >= count; });
  }

  SimProcess sim_;
  RecordingOwner owner_;
  test::ManualClock clock_;  // outlives the driver
  bool manual_clock_ = false;
  std::unique_ptr<SoftKvmDriver> driver_;
};

TEST_F(SoftKvmDriverLive, DeliversSnapshotsDecoded) {
  ConnectAndWaitForFrame();
  const FramePtr frame = owner_.Last();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, kWidth);
  EXPECT_EQ(frame->height, kHeight);
  EXPECT_EQ(frame->pixels.size(), size_t{kWidth} * kHeight * 4);
  EXPECT_TRUE(NonSnapshotTexts().empty());
}

TEST_F(SoftKvmDriverLive, StreamRequestsAreSentAsOftenAsAskedButStopOnlyOnce) {
  ConnectAndWaitForFrame();
  driver_->StartStream();
  driver_->StartStream();
  EXPECT_FALSE(driver_->Polling());
  const size_t frames_before = owner_.FrameCount();
  ASSERT_TRUE(WaitUntil([&] { return owner_.FrameCount() >= frames_before + 10; }));
  driver_->StopStream();
  driver_->StopStream();
  EXPECT_TRUE(driver_->Polling());
  ASSERT_TRUE(WaitForTexts(3));

  const std::vector<std::string> expected = {kStream, kStream, kStopStream};
  EXPECT_EQ(NonSnapshotTexts(), expected);
  // No snapshot is asked for while the stream runs; polling resumes after "stop_stream".
  const std::vector<std::string> all = sim_.ReceivedTexts();
  const auto first_stream = std::find(all.begin(), all.end(), kStream);
  const auto stop = std::find(all.begin(), all.end(), kStopStream);
  EXPECT_EQ(std::count(first_stream, stop, std::string(kSnapshot)), 0);
  ASSERT_TRUE(WaitUntil([&] {
    const auto texts = sim_.ReceivedTexts();
    return std::find(std::find(texts.begin(), texts.end(), kStopStream), texts.end(), kSnapshot) != texts.end();
  }));
}

TEST_F(SoftKvmDriverLive, OneSnapshotPerIntervalFromOnePollerEvenAfterQuickStreamToggles) {
  UseManualClock();
  ConnectAndWaitForFrame();
  constexpr int kToggles = 20;
  for (int i = 0; i < kToggles; ++i) {
    driver_->StartStream();
    driver_->StopStream();
  }
  EXPECT_TRUE(driver_->Polling());
  EXPECT_FALSE(driver_->Streaming());
  const auto snapshots_after_last_stop = [this] {
    const std::vector<std::string> texts = sim_.ReceivedTexts();
    const auto last_stop = std::find(texts.rbegin(), texts.rend(), std::string(kStopStream));
    return std::count(last_stop.base(), texts.end(), std::string(kSnapshot));
  };
  // The restarted poller asks at once, then once each time the clock passes its interval; the
  // clock moves only after the request before, so a second poller would ask twice. Counted
  // once the last "stop_stream" is in.
  ASSERT_TRUE(WaitForTexts(2 * kToggles));
  ASSERT_TRUE(WaitUntil([&] { return snapshots_after_last_stop() >= 1; }));
  constexpr int kIntervals = 5;
  for (int i = 1; i <= kIntervals; ++i) {
    clock_.Advance(kSnapshotIntervalMs * 1'000'000);
    ASSERT_TRUE(WaitUntil([&] { return snapshots_after_last_stop() >= i + 1; }));
  }
  driver_->Disconnect();
  // The simulator may still be logging requests when the driver has let go, and logs "close"
  // once the connection is gone.
  ASSERT_TRUE(WaitUntil([&] {
    const auto lines = sim_.LogLines();
    return !lines.empty() && lines.back().value("event", "") == "close";
  }));
  EXPECT_EQ(snapshots_after_last_stop(), kIntervals + 1);
}

struct InputCase {
  const char* name;
  std::function<void(DeviceDriver&, test::ManualClock&)> act;  // runs one move interval after the last case
  std::vector<std::string> expected;
};

std::string Move(int x, int y) {
  return R"({"action":"move","type":"CONTROL","x":)" + std::to_string(x) + R"(,"y":)" + std::to_string(y) + "}";
}

TEST_F(SoftKvmDriverLive, EveryInputOperationSendsItsExactText) {
  const std::vector<InputCase> cases = {
      {"left press", [](DeviceDriver& d, test::ManualClock&) { d.MouseButton(PointerButton::Left, true); },
       {R"({"action":"down","button":"left","type":"CONTROL"})"}},
      {"right release", [](DeviceDriver& d, test::ManualClock&) { d.MouseButton(PointerButton::Right, false); },
       {R"({"action":"up","button":"right","type":"CONTROL"})"}},
      {"wheel toward the user", [](DeviceDriver& d, test::ManualClock&) { d.MouseWheel(true, -120); },
       {R"({"action":"wheel","direction":"down","type":"CONTROL"})"}},
      {"wheel away", [](DeviceDriver& d, test::ManualClock&) { d.MouseWheel(false, 240); },
       {R"({"action":"wheel","direction":"up","type":"CONTROL"})"}},
      {"wheel delta 0 passed as down", [](DeviceDriver& d, test::ManualClock&) { d.MouseWheel(0 < 1, 0); },
       {R"({"action":"wheel","direction":"down","type":"CONTROL"})"}},
      {"key down", [](DeviceDriver& d, test::ManualClock&) { d.KeyEvent({KeyAction::Press, {65, false}}); },
       {R"({"action":"keydown","key":"a","type":"CONTROL"})"}},
      {"key up", [](DeviceDriver& d, test::ManualClock&) { d.KeyEvent({KeyAction::Release, {90, false}}); },
       {R"({"action":"keyup","key":"z","type":"CONTROL"})"}},
      {"Alt down", [](DeviceDriver& d, test::ManualClock&) { d.KeyEvent({KeyAction::Press, {164, false}}); },
       {R"({"action":"keydown","key":"alt","type":"CONTROL"})"}},
      {"extended key up", [](DeviceDriver& d, test::ManualClock&) { d.KeyEvent({KeyAction::Release, {13, true}}); },
       {R"({"action":"keyup","key":"enter","type":"CONTROL"})"}},
      {"key without a name", [](DeviceDriver& d, test::ManualClock&) { d.KeyEvent({KeyAction::Press, {186, false}}); },
       {R"({"action":"keydown","key":"","type":"CONTROL"})"}},
      {"move", [](DeviceDriver& d, test::ManualClock&) { d.MouseMove(639, 359); }, {Move(639, 359)}},
      {"move off screen", [](DeviceDriver& d, test::ManualClock&) { d.MouseMove(-5, 70000); }, {Move(-5, 70000)}},
      {"a burst of moves sends its first only",
       [](DeviceDriver& d, test::ManualClock&) {
         for (int x = 0; x < 50; ++x) d.MouseMove(x, 1);
       },
       {Move(0, 1)}},
      {"a move is dropped until the whole interval has passed",
       [](DeviceDriver& d, test::ManualClock& clock) {
         d.MouseMove(1, 2);
         clock.Advance(kMinMoveIntervalNs - 1);
         d.MouseMove(2, 2);
         clock.Advance(1);
         d.MouseMove(3, 2);
       },
       {Move(1, 2), Move(3, 2)}},
      {"no key combinations, texts or input-method switch, and nothing to wait for",
       [](DeviceDriver& d, test::ManualClock&) {
         EXPECT_EQ(d.KeyCombo(0x01, 0x04).Result(), InputCompletion::Outcome::Sent);
         EXPECT_EQ(d.TypeText(u"a가").Result(), InputCompletion::Outcome::Sent);
         EXPECT_EQ(d.ToggleHangulMode().Result(), InputCompletion::Outcome::Sent);
         d.ConnectInput();
         d.DisconnectInput();
       },
       {}},
  };
  UseManualClock();
  ConnectAndWaitForFrame();
  std::vector<std::string> expected;
  for (const InputCase& c : cases) {
    clock_.Advance(kMinMoveIntervalNs);
    c.act(*driver_, clock_);
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
  }
  // Texts arrive in the order sent: once the last one is in, anything sent before it is too.
  clock_.Advance(kMinMoveIntervalNs);
  driver_->MouseMove(-1, -1);
  const std::string last = Move(-1, -1);
  ASSERT_TRUE(WaitUntil([&] {
    const auto texts = NonSnapshotTexts();
    return !texts.empty() && texts.back() == last;
  }));
  std::vector<std::string> texts = NonSnapshotTexts();
  texts.pop_back();
  EXPECT_EQ(texts, expected);
}

TEST_F(SoftKvmDriverLive, DisconnectBeforeConnectSendsNothing) {
  driver_->Disconnect();
  driver_->Disconnect();
  driver_->MouseMove(1, 1);
  driver_.reset();
  // A second driver's connection is the only one the simulator ever saw.
  driver_ = std::make_unique<SoftKvmDriver>(owner_);
  ConnectAndWaitForFrame();
  const auto lines = sim_.LogLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.value("event", "") == "open"; }), 1);
}

TEST_F(SoftKvmDriverLive, DisconnectStopsStreamingAndClosesNormallyAndConnectResumes) {
  ConnectAndWaitForFrame();
  driver_->StartStream();
  driver_->Disconnect();
  EXPECT_FALSE(driver_->Polling());
  EXPECT_FALSE(driver_->Streaming());
  ASSERT_TRUE(WaitUntil([&] {
    const auto lines = sim_.LogLines();
    return !lines.empty() && lines.back().value("event", "") == "close";
  }));
  EXPECT_EQ(NonSnapshotTexts(), (std::vector<std::string>{kStream, kStopStream}));
  const size_t frames = owner_.FrameCount();
  driver_->Connect();
  EXPECT_TRUE(WaitUntil([&] { return owner_.FrameCount() > frames; }));
}

TEST_F(SoftKvmDriverLive, AStreamAskedForBeforeTheSocketOpensIsAskedForOnceItOpens) {
  driver_->Connect();
  driver_->StartStream();  // the socket cannot be open yet: this send is refused
  ASSERT_TRUE(WaitUntil([&] { return owner_.FrameCount() >= 5; }));
  EXPECT_EQ(NonSnapshotTexts(), std::vector<std::string>{kStream});
}

TEST_F(SoftKvmDriverLive, AStreamComesBackAfterTheDeviceRestartsInFullControl) {
  ConnectAndWaitForFrame();
  driver_->StartStream();
  ASSERT_TRUE(WaitForTexts(1));
  sim_.Kill();
  ASSERT_TRUE(sim_.Start());
  const size_t frames = owner_.FrameCount();
  EXPECT_TRUE(WaitUntil([&] { return owner_.FrameCount() > frames + 5; }, 20000));
  EXPECT_TRUE(driver_->Streaming());
}

}  // namespace
}  // namespace zor
