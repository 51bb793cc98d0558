// OnFrame's fan-out: order, whole frames of changing size, and consumers that come and go
// while frames pour in on another thread (run under ThreadSanitizer and AddressSanitizer).
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "client/FrameMailbox.h"
#include "client/KVMClient.h"
#include "support/Frames.h"

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
  device.Type = 7;
  KVMClient client(&device);
  client.CreateClient();
  std::vector<ConsumerRole> journal;
  std::mutex journal_mutex;
  // Attached out of order on purpose.
  CheckingConsumer worker1(ConsumerRole::AnalysisWorker, &journal, &journal_mutex);
  CheckingConsumer thumbnail(ConsumerRole::Thumbnail, &journal, &journal_mutex);
  CheckingConsumer worker2(ConsumerRole::AnalysisWorker, &journal, &journal_mutex);
  CheckingConsumer full(ConsumerRole::FullControl, &journal, &journal_mutex);
  CheckingConsumer editor(ConsumerRole::SceneEditor, &journal, &journal_mutex);
  client.AttachConsumer(ConsumerRole::AnalysisWorker, &worker1);
  client.AttachConsumer(ConsumerRole::Thumbnail, &thumbnail);
  client.AttachConsumer(ConsumerRole::AnalysisWorker, &worker2);
  client.AttachConsumer(ConsumerRole::FullControl, &full);
  client.AttachConsumer(ConsumerRole::SceneEditor, &editor);

  constexpr int kFrames = 40;
  std::thread driver([&] {
    for (int i = 0; i < kFrames; ++i) {
      client.OnFrame(i % 2 ? MakeUniformFrame(64, 32, static_cast<uint8_t>(i)) : MakeUniformFrame(40, 90, static_cast<uint8_t>(i)));
    }
  });
  driver.join();

  for (const CheckingConsumer* c : {&worker1, &thumbnail, &worker2, &full, &editor}) EXPECT_EQ(c->Broken(), 0);
  ASSERT_EQ(journal.size(), size_t{kFrames} * 5);
  const std::vector<ConsumerRole> one_frame = {ConsumerRole::FullControl, ConsumerRole::SceneEditor,
                                               ConsumerRole::Thumbnail, ConsumerRole::AnalysisWorker,
                                               ConsumerRole::AnalysisWorker};
  for (int i = 0; i < kFrames; ++i) {
    EXPECT_TRUE(std::equal(one_frame.begin(), one_frame.end(), journal.begin() + i * 5)) << "frame " << i;
  }
  const FramePtr last = client.CurrentFrame();
  EXPECT_EQ(last->width, 64u);
  EXPECT_EQ(last->height, 32u);
  client.DetachConsumer(&worker1);
  client.DetachConsumer(&worker2);
}

// Slow enough that a detach usually meets a delivery in progress; counts deliveries after detach.
class SlowConsumer : public IFrameConsumer {
 public:
  explicit SlowConsumer(std::atomic<int>* late) : late_(late) {}
  void OnFrame(const FramePtr& frame) override {
    if (detached_.load()) ++*late_;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    kept_ = frame;  // touches this object: a use after free if detach did not wait
    ++count_;
  }
  void MarkDetached() { detached_ = true; }

 private:
  std::atomic<int>* late_;
  std::atomic<bool> detached_{false};
  FramePtr kept_;
  int count_ = 0;
};

TEST(FrameFanOutTest, AConsumerDetachedWhileFramesPourInIsNeverCalledAgain) {
  DeviceInfo device;
  device.Type = 7;
  KVMClient client(&device);
  client.CreateClient();
  FrameMailbox thumbnail;
  client.AttachConsumer(ConsumerRole::Thumbnail, &thumbnail);

  std::atomic<bool> stop{false};
  std::thread driver([&] {
    const FramePtr a = MakeUniformFrame(32, 16, 1);
    const FramePtr b = MakeUniformFrame(16, 32, 2);
    for (int i = 0; !stop.load(); ++i) client.OnFrame(i % 2 ? a : b);
  });
  std::atomic<int> late{0};
  for (int round = 0; round < 200; ++round) {
    auto consumer = std::make_unique<SlowConsumer>(&late);
    client.AttachConsumer(round % 2 ? ConsumerRole::FullControl : ConsumerRole::AnalysisWorker, consumer.get());
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    client.DetachConsumer(consumer.get());
    consumer->MarkDetached();
    consumer.reset();
  }
  stop = true;
  driver.join();
  EXPECT_EQ(late.load(), 0);
  EXPECT_GT(thumbnail.Count(), 0u);
}

}  // namespace
}  // namespace zor
