#pragma once
// What this process spends, read from the kernel: CPU time, resident memory, threads, and the
// CPU time of its threads by role. Any thread.
#include <cstdint>

namespace zor::bench {

struct ProcessSample {
  int64_t wall_ns = 0;  // MonotonicNs when taken
  int64_t cpu_ns = 0;   // user + system time of every thread (getrusage)
  uint64_t rss_kb = 0;  // VmRSS of /proc/self/status
  int threads = 0;      // Threads of /proc/self/status
  // CPU time of the threads that are neither the GUI thread nor an App worker: the drivers'
  // network threads (and Qt's few helpers). Clock-tick resolution (10 ms).
  int64_t network_cpu_ns = 0;
};

ProcessSample SampleProcess();

}  // namespace zor::bench
