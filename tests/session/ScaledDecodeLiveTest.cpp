// The switch between small and full pictures on a live device of each type: zorkvm-sim streams
// 1920 x 1080 pictures over real sockets to a session whose consumers come and go.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "device/DriverFactory.h"
#include "FrameJournal.h"
#include "session/DeviceSession.h"
#include "support/SimProcess.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::FrameJournal;
using test::JournalEntry;
using test::JournalingConsumer;

// Enough for a few pictures at the thumbnail rates (about 4 a second) on a loaded machine.
constexpr int kFramesTimeoutMs = 30000;

// One simulator of the given device type, and a record pointing at it.
class ScaledDecodeLive : public ::testing::TestWithParam<uint32_t> {
 protected:
  void SetUp() override {
    if (GetParam() == kTesselDeviceType) {
      tessel_ = std::make_unique<test::TesselSim>();
      ASSERT_TRUE(tessel_->Ready());
      device_ = tessel_->Device();
    } else {
      soft_ = std::make_unique<test::SimProcess>(test::SimProcessOptions{});
      ASSERT_TRUE(soft_->Ready());
      device_.Type = kSoftKvmDeviceType;
      device_.ConnectIP = u"127.0.0.1";
      device_.Port = soft_->Port();
    }
  }

  // Waits until `who` got a picture after `mark` whose smallness is `scaled`.
  bool WaitForPicture(const std::string& mark, const std::string& who, bool scaled) const {
    return test::WaitUntil(
        [&] {
          const auto entries = journal_.After(mark, who);
          return std::any_of(entries.begin(), entries.end(), [&](const JournalEntry& e) { return e.scaled == scaled; });
        },
        kFramesTimeoutMs);
  }

  std::unique_ptr<test::SimProcess> soft_;
  std::unique_ptr<test::TesselSim> tessel_;
  DeviceInfo device_;
  FrameJournal journal_;
};

TEST_P(ScaledDecodeLive, ThumbnailAloneIsSmallAFullConsumerMakesItFullAndLeavingMakesItSmallAgain) {
  JournalingConsumer thumb{"thumb", PictureNeed::FitInto(400, 225), journal_};
  JournalingConsumer full{"full", PictureNeed::FullSize(), journal_};
  DeviceSession session(&device_);
  session.InstallDriver();
  session.AttachConsumer(ConsumerRole::Thumbnail, &thumb);
  session.Driver()->Connect();

  ASSERT_TRUE(WaitForPicture("", "thumb", true));
  const JournalEntry small = journal_.After("", "thumb").front();
  EXPECT_EQ(small.width, 480u) << "a quarter of 1920 is the least that covers 400";
  EXPECT_EQ(small.screen_width, 1920u);

  journal_.Mark("full attached");
  session.AttachConsumer(ConsumerRole::FullControl, &full);
  ASSERT_TRUE(WaitForPicture("full attached", "full", false));
  ASSERT_TRUE(WaitForPicture("full attached", "thumb", false));
  session.DetachConsumer(&full);
  journal_.Mark("full detached");
  ASSERT_TRUE(WaitForPicture("full detached", "thumb", true));
  session.DetachConsumer(&thumb);
  session.Driver()->Disconnect();

  // Between the marks: the full consumer only ever got full pictures, and from its first one
  // on, the thumbnail did too (each picture is decoded for the consumers attached before it).
  const auto entries = journal_.Entries();
  bool full_seen = false;
  for (const JournalEntry& e : entries) {
    if (e.who == "full") {
      EXPECT_FALSE(e.scaled);
      EXPECT_EQ(e.width, 1920u);
      full_seen = true;
    } else if (e.who == "full detached") {
      break;
    } else if (e.who == "thumb" && full_seen) {
      EXPECT_FALSE(e.scaled) << "a small picture after the full consumer's first";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DeviceTypes, ScaledDecodeLive, ::testing::Values(kSoftKvmDeviceType, kTesselDeviceType),
                         [](const auto& info) { return info.param == kTesselDeviceType ? "Tessel" : "SoftKvm"; });

}  // namespace
}  // namespace zor
