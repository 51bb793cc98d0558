// Free heap memory left by a peak goes back to the system when there is enough of it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/HeapTrimmer.h"
#include "support/ResidentMemory.h"

namespace zor {
namespace {

using test::ResidentBytes;

TEST(HeapTrimmer, APeakLeftFreeInTheHeapIsGivenBack) {
  if (test::kSanitizerAllocator) GTEST_SKIP() << "the sanitizer's allocator keeps its own heap";
  // 128 MB in blocks small enough to come from the heap, each followed by a block that stays,
  // so that freeing them leaves holes the heap's own trimming of its top cannot give back.
  constexpr size_t kBlock = 64 * 1024;
  constexpr size_t kBlocks = 2048;
  std::vector<std::unique_ptr<char[]>> peak;
  std::vector<std::unique_ptr<char[]>> kept;
  for (size_t i = 0; i < kBlocks; ++i) {
    peak.emplace_back(new char[kBlock]);
    std::memset(peak.back().get(), 1, kBlock);
    kept.emplace_back(new char[16]);
  }
  peak.clear();
  ASSERT_GE(FreeHeapBytes(), kBlocks * kBlock / 2);
  EXPECT_FALSE(ReleaseFreedMemory(size_t{1} << 40)) << "not worth it: less free than asked";
  const size_t before = ResidentBytes();
  EXPECT_TRUE(ReleaseFreedMemory(HeapTrimmer::kWorthBytes));
  EXPECT_LT(ResidentBytes() + kBlocks * kBlock / 2, before);
}

TEST(HeapTrimmer, StopsAtOnceWhenDestroyed) {
  // The destructor ends the thread's wait of several seconds through its stop token; a hang
  // here would be the test's timeout.
  for (int i = 0; i < 3; ++i) HeapTrimmer trimmer;
}

}  // namespace
}  // namespace zor
