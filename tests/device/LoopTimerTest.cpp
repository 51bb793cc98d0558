// LoopTimer on the shared network loop: its task runs on a loop thread, and Cancel leaves no task
// running or due, even when it comes while the task runs and re-arms itself.
#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "device/LoopTimer.h"
#include "device/NetworkLoop.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

// Long enough never to come due while a test runs.
constexpr int64_t kNeverNs = int64_t{3600} * 1'000'000'000;

TEST(LoopTimerTest, RunsItsTaskOnALoopThreadAndAReArmReplacesTheTaskBefore) {
  LoopTimer timer{LoopStrand()};
  std::atomic<int> replaced_runs{0};
  std::atomic<bool> on_loop_thread{false};
  std::atomic<bool> ran{false};
  timer.Arm(kNeverNs, [&] { ++replaced_runs; });
  timer.Arm(0, [&] {
    on_loop_thread = NetworkLoop::Shared().OnLoopThread();
    ran = true;
  });
  ASSERT_TRUE(WaitUntil([&] { return ran.load(); }));
  EXPECT_TRUE(on_loop_thread.load());
  EXPECT_EQ(replaced_runs.load(), 0);
  EXPECT_FALSE(NetworkLoop::Shared().OnLoopThread()) << "the test's own thread";
}

// The task re-arms itself at once, so a Cancel mostly comes while it runs; the first run holds
// until the Cancel has been called.
TEST(LoopTimerTest, NothingRunsOnceCancelHasReturnedEvenWhenItCameDuringTheTask) {
  const LoopStrand strand;
  LoopTimer timer{strand};
  std::atomic<int> runs{0};
  std::atomic<bool> cancel_returned{false};
  std::atomic<bool> ran_past_the_cancel{false};
  std::promise<void> entered;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::function<void()> task = [&] {
    if (++runs == 1) {
      entered.set_value();
      released.wait();
    }
    if (cancel_returned) ran_past_the_cancel = true;
    timer.Arm(0, task);  // voided when a Cancel came meanwhile
  };
  timer.Arm(0, task);
  entered.get_future().wait();

  std::future<void> cancelled = std::async(std::launch::async, [&] {
    timer.Cancel();
    cancel_returned = true;
  });
  release.set_value();
  cancelled.wait();
  const int runs_at_cancel = runs.load();

  // A marker armed after the Cancel on the same strand comes after a re-armed task would have.
  LoopTimer marker{strand};
  std::atomic<bool> marked{false};
  marker.Arm(0, [&] { marked = true; });
  ASSERT_TRUE(WaitUntil([&] { return marked.load(); }));
  EXPECT_EQ(runs.load(), runs_at_cancel);
  EXPECT_FALSE(ran_past_the_cancel.load());
}

}  // namespace
}  // namespace zor
