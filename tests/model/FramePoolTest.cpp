#include <gtest/gtest.h>

#include <thread>

#include "model/FramePool.h"

namespace zor {
namespace {

TEST(FramePoolTest, ABufferComesBackWhenItsLastReaderLetsGo) {
  FramePool pool;
  std::shared_ptr<ScreenImage> writable = pool.Take();
  writable->pixels.resize(4096);
  const uint8_t* buffer = writable->pixels.data();
  FramePtr published = std::move(writable);
  FramePtr reader = published;
  published.reset();
  EXPECT_EQ(pool.IdleCount(), 0u);  // still read
  reader.reset();
  EXPECT_EQ(pool.IdleCount(), 1u);
  std::shared_ptr<ScreenImage> again = pool.Take();
  EXPECT_EQ(again->pixels.data(), buffer);
  EXPECT_EQ(again->pixels.size(), 4096u);
}

TEST(FramePoolTest, KeepsOnlyAFewIdleBuffers) {
  FramePool pool;
  std::vector<std::shared_ptr<ScreenImage>> many;
  for (int i = 0; i < 20; ++i) many.push_back(pool.Take());
  many.clear();
  EXPECT_LE(pool.IdleCount(), 4u);
  EXPECT_GE(pool.IdleCount(), 1u);
}

TEST(FramePoolTest, TakesTheSmallestIdleBufferThatFitsAndKeepsTheLargest) {
  FramePool pool(2);
  {
    std::vector<std::shared_ptr<ScreenImage>> frames;
    for (size_t bytes : {100, 10000, 1000}) {
      frames.push_back(pool.Take());
      frames.back()->pixels.reserve(bytes);
    }
  }
  ASSERT_EQ(pool.IdleCount(), 2u) << "the one of least capacity went";
  EXPECT_EQ(pool.Take(500)->pixels.capacity(), 1000u);
  EXPECT_EQ(pool.Take(5000)->pixels.capacity(), 10000u);
  EXPECT_EQ(pool.Take(20000)->pixels.capacity(), 0u) << "none fits: a new buffer, the idle ones stay";
  EXPECT_EQ(pool.IdleCount(), 2u);
}

TEST(FramePoolTest, FramesMayOutliveThePoolAndBeDroppedOnAnotherThread) {
  FramePtr survivor;
  {
    FramePool pool;
    auto frame = pool.Take();
    frame->pixels.assign(64, 7);
    survivor = std::move(frame);
  }
  std::thread([frame = std::move(survivor)]() mutable { frame.reset(); }).join();
}

}  // namespace
}  // namespace zor
