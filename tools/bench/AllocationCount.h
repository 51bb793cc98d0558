#pragma once
// What the whole zorkvm-bench process has asked of the C allocator since it started. The bench
// program puts its own malloc, calloc and realloc in front of glibc's to count them: the
// decoder (libjpeg-turbo) and Qt allocate with malloc, and C++'s new goes through it too.
#include <cstdint>

namespace zor::bench {

struct AllocationTotals {
  uint64_t bytes = 0;   // sum of the sizes asked for
  uint64_t blocks = 0;  // number of allocations
};

AllocationTotals Allocations();

}  // namespace zor::bench
