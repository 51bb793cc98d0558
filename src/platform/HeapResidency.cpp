#include "platform/HeapResidency.h"

#include <malloc.h>

namespace zor {
namespace {

// Freed memory at the top of the heap is returned to the system only beyond this much. A whole
// 4K colour analysis holds a few hundred MB of temporaries at its peak (float copies of screen
// and template, FFT buffers); 1 GiB keeps them all while still giving back a runaway peak.
constexpr int kTrimThresholdBytes = 1 << 30;
// Heaps malloc keeps for its threads. Each heap keeps what its threads freed, so with one App
// worker per device and a heap per busy thread (glibc's default allows 8 per core) every heap
// ends up holding full-size frames of its own: 64 devices with one App each measured 1.86 GB
// resident with the default and 1.36 GB with two heaps, one per core of the target machine.
// The workers allocate little per step, so sharing two heaps costs them no measurable wait.
constexpr int kHeapCount = 2;

}  // namespace

bool KeepFreedMemoryResident() {
  const bool no_mappings = mallopt(M_MMAP_MAX, 0) == 1;
  const bool no_trim = mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes) == 1;
  const bool few_heaps = mallopt(M_ARENA_MAX, kHeapCount) == 1;
  return no_mappings && no_trim && few_heaps;
}

}  // namespace zor
