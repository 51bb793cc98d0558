#pragma once
// What a process spends, read from the kernel's /proc files: CPU time, resident memory,
// threads, and the CPU time of its threads by role. Any thread; this process or a child.
#include <sys/types.h>

#include <cstdint>

#include "scale/report/ScaleRow.h"

namespace zor::bench {

struct ProcessSample {
  int64_t wall_ns = 0;  // MonotonicNs when taken
  int64_t cpu_ns = 0;   // user + system time of every thread, at clock-tick resolution (10 ms)
  uint64_t rss_kb = 0;  // VmRSS of its status file
  int threads = 0;      // Threads of its status file
  // CPU time of the threads that are neither the main (GUI) thread nor an App worker: the
  // drivers' network threads (and Qt's few helpers).
  int64_t network_cpu_ns = 0;
};

ProcessSample SampleProcess(pid_t pid);

// Fills the row's seconds, CPU share, memory and threads from two samples of one process.
void SetProcessFigures(const ProcessSample& before, const ProcessSample& after, ScaleRow& row);

}  // namespace zor::bench
