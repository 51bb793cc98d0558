// The order and the pauses of a driver's input, with a timer that the test moves by hand: every
// report is stamped with the hand-moved time it went out at.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "device/TimedReportQueue.h"

namespace zor {
namespace {

// Runs tasks on the test's thread when the test moves the time past them.
class ManualTaskTimer final : public ITaskTimer {
 public:
  bool RunAfter(int delay_ms, std::function<void()> task) override {
    if (!running_) return false;
    tasks_.emplace(now_ms_ + delay_ms, std::move(task));  // equal times keep their order
    return true;
  }
  // Runs every task due within `ms`, in time order, each at its own time.
  void Advance(int ms) {
    const int end_ms = now_ms_ + ms;
    while (!tasks_.empty() && tasks_.begin()->first <= end_ms) {
      auto next = tasks_.extract(tasks_.begin());
      now_ms_ = next.key();
      next.mapped()();
    }
    now_ms_ = end_ms;
  }
  // The timer's thread ended: what waits is dropped and nothing more is taken.
  void Stop() {
    running_ = false;
    tasks_.clear();
  }
  int NowMs() const { return now_ms_; }

 private:
  std::multimap<int, std::function<void()>> tasks_;
  int now_ms_ = 0;
  bool running_ = true;
};

using Outcome = InputCompletion::Outcome;

class TimedReportQueueTest : public ::testing::Test {
 protected:
  // A one-byte report named by its byte, with the pause after it.
  static TimedReport Report(char name, int pause_ms) {
    const uint8_t byte = static_cast<uint8_t>(name);
    return TimedReport(std::span<const uint8_t>(&byte, 1), pause_ms);
  }
  void SendNow(char name) {
    const uint8_t byte = static_cast<uint8_t>(name);
    queue_.Send(std::span<const uint8_t>(&byte, 1));
  }

  ManualTaskTimer timer_;
  // "A@15": report A went out at 15 ms.
  std::vector<std::string> sent_;
  TimedReportQueue queue_{timer_, [this](std::span<const uint8_t> report) {
                            sent_.push_back(std::string(1, static_cast<char>(report[0])) + "@" +
                                            std::to_string(timer_.NowMs()));
                          }};
};

TEST_F(TimedReportQueueTest, ReportsGoOutWithTheirPausesAndTheCompletionAfterTheLast) {
  const InputCompletion done = queue_.SendTimed({Report('A', 15), Report('B', 10), Report('C', 20)});
  EXPECT_EQ(sent_, std::vector<std::string>{"A@0"}) << "the first goes out on the caller's thread";
  timer_.Advance(44);
  EXPECT_EQ(sent_, (std::vector<std::string>{"A@0", "B@15", "C@25"}));
  EXPECT_EQ(done.Result(), Outcome::Pending) << "the pause after the last is part of the sequence";
  timer_.Advance(1);
  EXPECT_EQ(done.Result(), Outcome::Sent);
}

TEST_F(TimedReportQueueTest, EverythingSentDuringASequenceKeepsItsPlaceBehindIt) {
  SendNow('M');  // nothing under way: at once
  const InputCompletion first = queue_.SendTimed({Report('A', 20), Report('B', 30)});
  SendNow('N');
  const InputCompletion second = queue_.SendTimed({Report('C', 5), Report('D', 0)});
  SendNow('O');
  timer_.Advance(100);
  EXPECT_EQ(sent_, (std::vector<std::string>{"M@0", "A@0", "B@20", "N@50", "C@50", "D@55", "O@55"}));
  EXPECT_EQ(first.Result(), Outcome::Sent);
  EXPECT_EQ(second.Result(), Outcome::Sent);
  SendNow('P');
  EXPECT_EQ(sent_.back(), "P@100");
}

TEST_F(TimedReportQueueTest, CancelDropsWhatIsLeftAndTheQueueWorksOnAfterwards) {
  const InputCompletion done = queue_.SendTimed({Report('A', 15), Report('B', 0)});
  SendNow('M');
  timer_.Advance(5);
  queue_.Cancel();
  EXPECT_EQ(done.Result(), Outcome::Cancelled);
  timer_.Advance(100);  // the pause armed before the cancel ends without effect
  EXPECT_EQ(sent_, std::vector<std::string>{"A@0"});

  const InputCompletion next = queue_.SendTimed({Report('C', 0)});
  EXPECT_EQ(next.Result(), Outcome::Sent);
  EXPECT_EQ(sent_.back(), "C@105");
}

TEST_F(TimedReportQueueTest, WithoutTheChannelsThreadTheRestIsDropped) {
  timer_.Stop();
  const InputCompletion done = queue_.SendTimed({Report('A', 15), Report('B', 0)});
  EXPECT_EQ(done.Result(), Outcome::Cancelled);
  SendNow('M');  // the channel refuses it itself
  EXPECT_EQ(sent_, (std::vector<std::string>{"A@0", "M@0"}));
}

TEST_F(TimedReportQueueTest, ASequenceBeyondTheLimitIsRefusedWhole) {
  const InputCompletion done = queue_.SendTimed(std::vector<TimedReport>(kMaxQueuedReports, Report('A', 1)));
  EXPECT_EQ(done.Result(), Outcome::Refused);
  EXPECT_TRUE(sent_.empty());
}

TEST(InputCompletion, AWaitEndsWhenItEndsOrWhenTheWaiterIsStopped) {
  EXPECT_EQ(InputCompletion().Wait(), InputCompletion::Outcome::Sent) << "nothing was queued";
  const InputCompletion pending = InputCompletion::Pending();
  std::stop_source stop;
  stop.request_stop();
  EXPECT_EQ(pending.Wait(stop.get_token()), InputCompletion::Outcome::Pending);
  pending.Finish(InputCompletion::Outcome::Cancelled);
  pending.Finish(InputCompletion::Outcome::Sent);  // the first end counts
  EXPECT_EQ(pending.Wait(), InputCompletion::Outcome::Cancelled);
}

}  // namespace
}  // namespace zor
