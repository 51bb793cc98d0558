// Engines keep no state between calls: analyses on several threads at once give what each
// gives alone (the runner runs one worker thread per App).
#include <thread>

#include <gtest/gtest.h>

#include "AnalysisFixtures.h"

namespace zor::test {
namespace {

TEST(ConcurrentAnalysis, ThreadsGetTheResultsOfSerialRuns) {
  constexpr int kThreads = 3;
  std::vector<cv::Mat> screens;
  std::vector<Item> items;
  std::vector<AnalysisResult> expected;
  for (int t = 0; t < kThreads; ++t) {
    cv::Mat screen = NoiseImage(200, 150, 50 + t);
    const cv::Mat target = NoiseImage(12, 10, 60 + t);
    Plant(screen, target, 20 + t * 30, 40 + t * 20);
    Plant(screen, target, 150, 120);
    screens.push_back(screen);
    items.push_back(MakeItem(t % 3, target, {}, t == 1 ? 0.99f : 0.95f));
    expected.push_back(Analyze(screen, items.back()));
    ASSERT_TRUE(expected.back().Found) << t;
  }
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 20; ++round) {
        if (!(Analyze(screens[t], items[t]).Matches == expected[t].Matches)) ++mismatches[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << t;
}

}  // namespace
}  // namespace zor::test
