#include "AllocationCount.h"

#include <atomic>
#include <cstddef>

// glibc's own entry points, which the counting wrappers below hand every request on to.
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);

namespace {

// Relaxed: a total read between benchmark runs needs no ordering with the allocations.
std::atomic<uint64_t> allocated_bytes{0};
std::atomic<uint64_t> allocated_blocks{0};

void Count(size_t bytes) {
  allocated_bytes.fetch_add(bytes, std::memory_order_relaxed);
  allocated_blocks.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

// Defined in the executable, these take the place of glibc's for every library of the process;
// free and the aligned allocations stay glibc's, which is where the blocks come from anyway.
extern "C" void* malloc(size_t size) {
  Count(size);
  return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size) {
  Count(count * size);
  return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size) {
  Count(size);
  return __libc_realloc(block, size);
}

namespace zor::bench {

AllocationTotals Allocations() {
  return {allocated_bytes.load(std::memory_order_relaxed), allocated_blocks.load(std::memory_order_relaxed)};
}

}  // namespace zor::bench
