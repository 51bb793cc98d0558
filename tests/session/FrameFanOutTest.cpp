// OnFrame's fan-out: order, whole frames of changing size, and consumers that come and go
// while frames pour in on another thread (run under ThreadSanitizer and AddressSanitizer).
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "session/DeviceSession.h"
#include "session/FrameMailbox.h"
#include "support/Frames.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::MakeUniformFrame;

// Checks every frame it gets and notes its role in a shared journal.
class CheckingConsumer : public IFrameConsumer {
 public:
  CheckingConsumer(ConsumerRole role, std::vector<ConsumerRole>* journal, std::mutex* journal_mutex)
      : role_(role), journal_(journal), journal_mutex_(journal_mutex) {}

  void OnFrame(const FramePtr& frame) override {
    const bool whole = frame->pixels.size() == size_t{frame->width} * frame->height * 4 &&
                       std::all_of(frame->pixels.begin(), frame->pixels.end(),
                                   [&](uint8_t b) { return b == frame->pixels.front(); });
    if (!whole) ++broken_;
    std::lock_guard lock(*journal_mutex_);
    journal_->push_back(role_);
  }
  int Broken() const { return broken_; }

 private:
  const ConsumerRole role_;
  std::vector<ConsumerRole>* journal_;
  std::mutex* journal_mutex_;
  std::atomic<int> broken_{0};
};

TEST(FrameFanOutTest, FramesOfChangingSizeReachEveryConsumerWholeInRoleOrder) {
  DeviceInfo device;
  device.Type = 7;  // no driver: the test thread plays it
  DeviceSession client(&device);
  client.InstallDriver();
  std::vector<ConsumerRole> journal;
  std::mutex journal_mutex;
  // Attached out of order on purpose.
  const ConsumerRole roles[] = {ConsumerRole::AnalysisWorker, ConsumerRole::Thumbnail, ConsumerRole::AnalysisWorker,
                                ConsumerRole::FullControl, ConsumerRole::SceneEditor};
  std::vector<std::unique_ptr<CheckingConsumer>> consumers;
  for (ConsumerRole role : roles) {
    consumers.push_back(std::make_unique<CheckingConsumer>(role, &journal, &journal_mutex));
    client.AttachConsumer(role, consumers.back().get());
  }

  constexpr int kFrames = 40;
  std::thread driver([&] {
    for (int i = 0; i < kFrames; ++i) {
      const auto fill = static_cast<uint8_t>(i);
      client.OnFrame(i % 2 ? MakeUniformFrame(64, 32, fill) : MakeUniformFrame(40, 90, fill));
    }
  });
  driver.join();

  for (const auto& c : consumers) EXPECT_EQ(c->Broken(), 0);
  ASSERT_EQ(journal.size(), size_t{kFrames} * 5);
  const std::vector<ConsumerRole> one_frame = {ConsumerRole::FullControl, ConsumerRole::SceneEditor,
                                               ConsumerRole::Thumbnail, ConsumerRole::AnalysisWorker,
                                               ConsumerRole::AnalysisWorker};
  for (int i = 0; i < kFrames; ++i) {
    EXPECT_TRUE(std::equal(one_frame.begin(), one_frame.end(), journal.begin() + i * 5)) << "frame " << i;
  }
  EXPECT_EQ(client.CurrentFrame()->width, 64u);
  for (const auto& c : consumers) client.DetachConsumer(c.get());
}

// Holds its first delivery until the test starts detaching it, and counts what a detach that
// did not wait would do: return while that delivery runs, or deliver after it returned.
class HeldConsumer : public IFrameConsumer {
 public:
  explicit HeldConsumer(std::atomic<int>* faults) : faults_(faults) {}
  void OnFrame(const FramePtr& frame) override {
    if (detached.load()) ++*faults_;
    if (!entered.exchange(true)) {
      while (!detaching.load()) std::this_thread::yield();
      // Gives a detach that does not wait the chance to return; a correct one cannot meanwhile.
      for (int i = 0; i < kHoldYields && !detached.load(); ++i) std::this_thread::yield();
      if (detached.load()) ++*faults_;
    }
    kept_ = frame;  // touches this object: a use after free if detach did not wait
  }

  static constexpr int kHoldYields = 200;
  std::atomic<bool> entered{false};
  std::atomic<bool> detaching{false};
  std::atomic<bool> detached{false};

 private:
  std::atomic<int>* faults_;
  FramePtr kept_;
};

TEST(FrameFanOutTest, DetachWaitsForADeliveryInProgressAndIsNeverCalledAgain) {
  DeviceInfo device;
  device.Type = 7;
  DeviceSession client(&device);
  client.InstallDriver();
  FrameMailbox thumbnail;
  client.AttachConsumer(ConsumerRole::Thumbnail, &thumbnail);

  std::atomic<bool> stop{false};
  std::thread driver([&] {
    const FramePtr a = MakeUniformFrame(32, 16, 1);
    const FramePtr b = MakeUniformFrame(16, 32, 2);
    for (int i = 0; !stop.load(); ++i) client.OnFrame(i % 2 ? a : b);
  });
  std::atomic<int> faults{0};
  for (int round = 0; round < 100; ++round) {
    auto consumer = std::make_unique<HeldConsumer>(&faults);
    client.AttachConsumer(round % 2 ? ConsumerRole::FullControl : ConsumerRole::AnalysisWorker, consumer.get());
    const bool entered = test::WaitUntil([&] { return consumer->entered.load(); });
    EXPECT_TRUE(entered) << "round " << round;
    consumer->detaching = true;
    client.DetachConsumer(consumer.get());
    consumer->detached = true;
    consumer.reset();
    if (!entered) break;
  }
  stop = true;
  driver.join();
  EXPECT_EQ(faults.load(), 0);
  EXPECT_GT(thumbnail.Count(), 0u);
}

}  // namespace
}  // namespace zor
