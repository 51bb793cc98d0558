#include "platform/HeapResidency.h"

#include <malloc.h>

namespace zor {
namespace {

// Freed memory at the top of the heap is returned to the system only beyond this much. A whole
// 4K colour analysis holds a few hundred MB of temporaries at its peak (float copies of screen
// and template, FFT buffers); 1 GiB keeps them all while still giving back a runaway peak.
constexpr int kTrimThresholdBytes = 1 << 30;

}  // namespace

bool KeepFreedMemoryResident() {
  const bool no_mappings = mallopt(M_MMAP_MAX, 0) == 1;
  const bool no_trim = mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes) == 1;
  return no_mappings && no_trim;
}

}  // namespace zor
