// Which size the session asks its driver for, and where a picture decoded small may go: the
// software agent's driver decodes real JPEG pictures handed to it on a thread of the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "device/JpegDecoder.h"
#include "device/SoftKvmDriver.h"
#include "FrameJournal.h"
#include "session/DeviceSession.h"
#include "sim/SimScreen.h"
#include "support/Frames.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::FrameJournal;
using test::JournalingConsumer;

constexpr PictureNeed kThumbNeed = PictureNeed::FitInto(400, 225);

// A session whose software-agent driver is fed pictures directly, as its socket would.
class ScaledFanOutTest : public ::testing::Test {
 protected:
  ScaledFanOutTest() {
    device_.Type = 0;
    auto driver = std::make_unique<SoftKvmDriver>(session_);
    driver_ = driver.get();
    session_.SetDriver(std::move(driver));
    SimScreen screen(1920, 1080);
    jpeg_ = *screen.Jpeg(60);
  }

  void Deliver() {
    WebSocketEvent message;
    message.kind = WebSocketEvent::Kind::Message;
    message.binary = true;
    message.data = std::string_view(reinterpret_cast<const char*>(jpeg_.data()), jpeg_.size());
    driver_->OnSocketEvent(message);
  }

  FrameJournal journal_;
  JournalingConsumer thumb_{"thumb", kThumbNeed, journal_};
  JournalingConsumer full_{"full", PictureNeed::FullSize(), journal_};
  DeviceInfo device_;
  DeviceSession session_{&device_};
  SoftKvmDriver* driver_ = nullptr;
  std::vector<uint8_t> jpeg_;
};

TEST_F(ScaledFanOutTest, TheNeedIsSmallOnlyWhileEveryConsumerShowsThePictureSmall) {
  EXPECT_TRUE(session_.NeededPicture().IsFullSize()) << "nobody watches: the current frame stays whole";
  session_.AttachConsumer(ConsumerRole::Thumbnail, &thumb_);
  EXPECT_EQ(session_.NeededPicture(), kThumbNeed);
  session_.AttachConsumer(ConsumerRole::FullControl, &full_);
  EXPECT_TRUE(session_.NeededPicture().IsFullSize());
  session_.DetachConsumer(&full_);
  EXPECT_EQ(session_.NeededPicture(), kThumbNeed);
  session_.DetachConsumer(&thumb_);
}

TEST_F(ScaledFanOutTest, ThumbnailAloneGetsSmallPicturesAndAFullConsumerTheDirectDecode) {
  session_.AttachConsumer(ConsumerRole::Thumbnail, &thumb_);
  Deliver();
  const FramePtr small = thumb_.Latest();
  ASSERT_TRUE(small);
  EXPECT_TRUE(small->Scaled());
  EXPECT_EQ(small->width, 480u);
  EXPECT_EQ(small->ScreenWidth(), 1920u);
  EXPECT_EQ(small->ScreenHeight(), 1080u);

  session_.AttachConsumer(ConsumerRole::SceneEditor, &full_);
  Deliver();
  const FramePtr whole = full_.Latest();
  ASSERT_TRUE(whole);
  JpegContext context;
  std::vector<uint8_t> direct;
  uint32_t width = 0;
  uint32_t height = 0;
  ASSERT_TRUE(DecodeJpeg(context, jpeg_.data(), jpeg_.size(), direct, width, height));
  EXPECT_FALSE(whole->Scaled());
  EXPECT_EQ(whole->width, width);
  EXPECT_EQ(whole->height, height);
  EXPECT_TRUE(whole->pixels == direct) << "what the editor, full control and the runner see is unchanged";
  EXPECT_EQ(thumb_.Latest(), whole) << "the thumbnail shares the full picture";

  session_.DetachConsumer(&full_);
  Deliver();
  EXPECT_TRUE(thumb_.Latest()->Scaled());
  session_.DetachConsumer(&thumb_);
}

TEST_F(ScaledFanOutTest, APictureDecodedSmallBeforeAFullConsumerCameWaitsForTheNext) {
  session_.AttachConsumer(ConsumerRole::Thumbnail, &thumb_);
  session_.AttachConsumer(ConsumerRole::AnalysisWorker, &full_);
  // What a decode just before the attach made, arriving just after it.
  auto small = std::make_shared<ScreenImage>(*test::MakeUniformFrame(480, 270, 9));
  small->scaled_from_width = 1920;
  small->scaled_from_height = 1080;
  session_.OnFrame(small);
  EXPECT_EQ(thumb_.Latest(), small);
  EXPECT_EQ(full_.Count(), 0u);
  Deliver();
  ASSERT_EQ(full_.Count(), 1u);
  EXPECT_FALSE(full_.Latest()->Scaled());
  session_.DetachConsumer(&full_);
  session_.DetachConsumer(&thumb_);
}

// A thumbnail scrolled out of sight that is the device's only consumer: its pictures are checked
// but not decoded, the device still counts as streaming, and bad data is still found out.
TEST_F(ScaledFanOutTest, AThumbnailOutOfSightAloneHasNothingDecodedButTheDeviceStreams) {
  JournalingConsumer hidden{"hidden", PictureNeed::Unseen(), journal_};
  session_.AttachConsumer(ConsumerRole::Thumbnail, &hidden);
  EXPECT_TRUE(session_.NeededPicture().IsUnseen());
  Deliver();
  EXPECT_EQ(session_.State(), ConnectionState::Streaming);
  EXPECT_EQ(hidden.Count(), 0u);
  EXPECT_EQ(session_.CurrentFrame(), nullptr) << "no picture was made";

  const std::string garbage = "not a picture";
  WebSocketEvent message;
  message.kind = WebSocketEvent::Kind::Message;
  message.binary = true;
  message.data = garbage;
  driver_->OnSocketEvent(message);
  EXPECT_EQ(session_.LastError(), "not a JPEG picture");

  session_.AttachConsumer(ConsumerRole::AnalysisWorker, &full_);
  Deliver();
  ASSERT_EQ(full_.Count(), 1u);
  EXPECT_EQ(hidden.Latest(), full_.Latest()) << "a picture made for another consumer is shared";
  EXPECT_EQ(session_.LastError(), "");
  session_.DetachConsumer(&full_);
  Deliver();
  EXPECT_EQ(session_.CurrentFrame(), full_.Latest()) << "the last picture made stays the current one";
  session_.DetachConsumer(&hidden);
}

// Consumers that need the full picture come and go while the driver's thread decodes: none of
// them ever gets a small picture (run under ThreadSanitizer too).
TEST_F(ScaledFanOutTest, FullConsumersComingAndGoingNeverGetASmallPicture) {
  SimScreen screen(640, 360);  // 1/2 covers 320 x 180; small pictures keep the loop quick
  jpeg_ = *screen.Jpeg(60);
  JournalingConsumer thumb{"thumb", PictureNeed::FitInto(320, 180), journal_};
  session_.AttachConsumer(ConsumerRole::Thumbnail, &thumb);
  std::atomic<bool> stop{false};
  std::thread driver([&] {
    while (!stop.load()) Deliver();
  });
  constexpr int kRounds = 200;
  for (int round = 0; round < kRounds; ++round) {
    JournalingConsumer full{"full", PictureNeed::FullSize(), journal_};
    session_.AttachConsumer(round % 2 ? ConsumerRole::FullControl : ConsumerRole::AnalysisWorker, &full);
    // Some stay for a frame, so that both sizes surely go out; the others leave at once.
    if (round % 4 == 0) {
      EXPECT_TRUE(test::WaitUntil([&] { return full.Count() > 0; }));
    }
    session_.DetachConsumer(&full);
  }
  // With the last full consumer gone, small pictures follow again.
  journal_.Mark("all gone");
  const auto small_again = [&] {
    const auto entries = journal_.After("all gone", "thumb");
    return std::any_of(entries.begin(), entries.end(), [](const test::JournalEntry& e) { return e.scaled; });
  };
  EXPECT_TRUE(test::WaitUntil(small_again));
  stop.store(true);
  driver.join();
  session_.DetachConsumer(&thumb);
  const auto full_entries = journal_.After("", "full");
  EXPECT_FALSE(full_entries.empty());
  for (const auto& entry : full_entries) EXPECT_FALSE(entry.scaled);
}

}  // namespace
}  // namespace zor
