// ZorSoftKvmWS against the project's own simulator: what the driver sends, and the frames it
// delivers, over real loopback sockets.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "drivers/ZorSoftKvmWS.h"
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

class SoftKvmDriverTest : public ::testing::Test {
 protected:
  SoftKvmDriverTest()
      : sim_({kAddress, 0, {"--size", "640x360"}, {}}),
        owner_(test::SoftKvmDevice(kWideAddress, sim_.Port(), kWidth, kHeight)),
        driver_(std::make_unique<ZorSoftKvmWS>(owner_)) {}

  // Connects and waits for the first frame, so the socket is open for what follows.
  void ConnectAndWaitForFrame() {
    ASSERT_TRUE(sim_.Ready());
    driver_->Connect();
    ASSERT_TRUE(WaitUntil([&] { return owner_.FrameCount() >= 1; }));
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
  std::unique_ptr<ZorSoftKvmWS> driver_;
};

TEST_F(SoftKvmDriverTest, PollsSnapshotsAboutFourTimesASecondAndDeliversThemDecoded) {
  ConnectAndWaitForFrame();
  ASSERT_TRUE(WaitUntil([&] { return owner_.FrameCount() >= 6; }));
  const FramePtr frame = owner_.Last();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, kWidth);
  EXPECT_EQ(frame->height, kHeight);
  EXPECT_EQ(frame->pixels.size(), size_t{kWidth} * kHeight * 4);

  // The simulator's own timestamps of the requests: one per 250 ms, give or take scheduling.
  std::vector<double> times;
  for (const auto& line : sim_.LogLines()) {
    if (line.value("text", "") == kSnapshot) times.push_back(line["time_ms"].get<double>());
  }
  ASSERT_GE(times.size(), 4u);
  std::vector<double> gaps;
  for (size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
  std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
  EXPECT_NEAR(gaps[gaps.size() / 2], 250.0, 100.0);
  EXPECT_TRUE(NonSnapshotTexts().empty());
}

TEST_F(SoftKvmDriverTest, StreamRequestsAreSentAsOftenAsAskedButStopOnlyOnce) {
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

TEST_F(SoftKvmDriverTest, StartStreamThenStopStreamAtOnceLeavesOnePoller) {
  ConnectAndWaitForFrame();
  for (int i = 0; i < 20; ++i) {
    driver_->StartStream();
    driver_->StopStream();
  }
  EXPECT_TRUE(driver_->Polling());
  EXPECT_FALSE(driver_->Streaming());
  // With one poller the requests keep their 250 ms rhythm; a second poller would halve it.
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  std::vector<double> times;
  const auto lines = sim_.LogLines();
  const auto last_stop = std::find_if(lines.rbegin(), lines.rend(),
                                      [](const auto& l) { return l.value("text", "") == kStopStream; });
  for (auto it = last_stop.base(); it != lines.end(); ++it) {
    if (it->value("text", "") == kSnapshot) times.push_back((*it)["time_ms"].get<double>());
  }
  ASSERT_GE(times.size(), 2u);
  EXPECT_LE(times.size(), 6u);
}

struct InputCase {
  const char* name;
  std::function<void(ZorKvmClient&)> act;
  std::vector<std::string> expected;
};

TEST_F(SoftKvmDriverTest, EveryInputOperationSendsItsExactText) {
  const std::vector<InputCase> cases = {
      {"left press", [](ZorKvmClient& d) { d.MouseButton("left", true); },
       {R"({"action":"down","button":"left","type":"CONTROL"})"}},
      {"right release", [](ZorKvmClient& d) { d.MouseButton("right", false); },
       {R"({"action":"up","button":"right","type":"CONTROL"})"}},
      {"wheel toward the user", [](ZorKvmClient& d) { d.MouseWheel(true, -120); },
       {R"({"action":"wheel","direction":"down","type":"CONTROL"})"}},
      {"wheel away", [](ZorKvmClient& d) { d.MouseWheel(false, 240); },
       {R"({"action":"wheel","direction":"up","type":"CONTROL"})"}},
      {"wheel delta 0 passed as down", [](ZorKvmClient& d) { d.MouseWheel(0 < 1, 0); },
       {R"({"action":"wheel","direction":"down","type":"CONTROL"})"}},
      {"key down", [](ZorKvmClient& d) { d.KeyEvent(kWmKeyDown, 65, 0); },
       {R"({"action":"keydown","key":"a","type":"CONTROL"})"}},
      {"key up", [](ZorKvmClient& d) { d.KeyEvent(kWmKeyUp, 90, 0); },
       {R"({"action":"keyup","key":"z","type":"CONTROL"})"}},
      {"system key down", [](ZorKvmClient& d) { d.KeyEvent(kWmSysKeyDown, 164, 0x20000000); },
       {R"({"action":"keydown","key":"alt","type":"CONTROL"})"}},
      {"system key up", [](ZorKvmClient& d) { d.KeyEvent(kWmSysKeyUp, 13, 0); },
       {R"({"action":"keyup","key":"enter","type":"CONTROL"})"}},
      {"key without a name", [](ZorKvmClient& d) { d.KeyEvent(kWmKeyDown, 186, 0); },
       {R"({"action":"keydown","key":"","type":"CONTROL"})"}},
      {"move", [](ZorKvmClient& d) { d.MouseMove(639, 359); },
       {R"({"action":"move","type":"CONTROL","x":639,"y":359})"}},
      {"move off screen", [](ZorKvmClient& d) { d.MouseMove(-5, 70000); },
       {R"({"action":"move","type":"CONTROL","x":-5,"y":70000})"}},
      {"no key combinations, texts or input-method switch", [](ZorKvmClient& d) {
         d.KeyCombo(0x01, 0x04);
         d.TypeText(u"a가");
         d.ToggleHangulMode();
         d.ConnectInput();
         d.DisconnectInput();
       },
       {}},
  };
  ConnectAndWaitForFrame();
  std::vector<std::string> expected;
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::this_thread::sleep_for(std::chrono::milliseconds(15));  // past the move limit
    c.act(*driver_);
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
  }
  ASSERT_TRUE(WaitForTexts(expected.size()));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // nothing more may follow
  EXPECT_EQ(NonSnapshotTexts(), expected);
}

TEST_F(SoftKvmDriverTest, MovesWithinTenMillisecondsOfTheLastSentOneAreDropped) {
  ConnectAndWaitForFrame();
  std::this_thread::sleep_for(std::chrono::milliseconds(15));
  for (int x = 0; x < 50; ++x) driver_->MouseMove(x, 1);  // one burst, microseconds long
  std::this_thread::sleep_for(std::chrono::milliseconds(15));
  for (int x = 100; x < 150; ++x) driver_->MouseMove(x, 2);
  ASSERT_TRUE(WaitForTexts(2));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const std::vector<std::string> expected = {R"({"action":"move","type":"CONTROL","x":0,"y":1})",
                                             R"({"action":"move","type":"CONTROL","x":100,"y":2})"};
  EXPECT_EQ(NonSnapshotTexts(), expected);
}

TEST_F(SoftKvmDriverTest, DisconnectBeforeConnectSendsNothing) {
  driver_->Disconnect();
  driver_->Disconnect();
  driver_->MouseMove(1, 1);
  driver_.reset();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(sim_.LogLines().empty());
}

TEST_F(SoftKvmDriverTest, DisconnectStopsStreamingAndClosesNormallyAndConnectResumes) {
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

TEST_F(SoftKvmDriverTest, AStreamAskedForBeforeTheSocketOpensIsAskedForOnceItOpens) {
  driver_->Connect();
  driver_->StartStream();  // the socket cannot be open yet: this send is refused
  ASSERT_TRUE(WaitUntil([&] { return owner_.FrameCount() >= 5; }));
  EXPECT_EQ(NonSnapshotTexts(), std::vector<std::string>{kStream});
}

TEST_F(SoftKvmDriverTest, AStreamComesBackAfterTheDeviceRestartsInFullControl) {
  ConnectAndWaitForFrame();
  driver_->StartStream();
  ASSERT_TRUE(WaitForTexts(1));
  sim_.Kill();
  ASSERT_TRUE(sim_.Start());
  const size_t frames = owner_.FrameCount();
  EXPECT_TRUE(WaitUntil([&] { return owner_.FrameCount() > frames + 5; }, 20000));
  EXPECT_TRUE(driver_->Streaming());
}

TEST_F(SoftKvmDriverTest, FramesComeBackByThemselvesAfterTheDeviceRestarts) {
  ConnectAndWaitForFrame();
  sim_.Kill();
  const size_t frames = owner_.FrameCount();
  ASSERT_TRUE(sim_.Start());
  EXPECT_TRUE(WaitUntil([&] { return owner_.FrameCount() > frames + 2; }, 20000));
}

}  // namespace
}  // namespace zor
