#include "platform/HeapTrimmer.h"

#include <malloc.h>
#include <pthread.h>

namespace zor {

size_t FreeHeapBytes() { return mallinfo2().fordblks; }

bool ReleaseFreedMemory(size_t worth_bytes) {
  if (FreeHeapBytes() < worth_bytes) return false;
  // Releases every whole free page of every heap, not only the top of the main one.
  malloc_trim(0);
  return true;
}

HeapTrimmer::HeapTrimmer()
    : thread_([this](std::stop_token stop) {
        pthread_setname_np(pthread_self(), "heap trim");
        std::unique_lock lock(mutex_);
        while (!stop.stop_requested()) {
          // Wakes only for the stop: the interval is all there is to wait for.
          wake_.wait_for(lock, stop, kInterval, [] { return false; });
          if (!stop.stop_requested()) ReleaseFreedMemory(kWorthBytes);
        }
      }) {}

// The thread's own destructor asks it to stop, which ends the wait at once, and joins it.
HeapTrimmer::~HeapTrimmer() = default;

}  // namespace zor
