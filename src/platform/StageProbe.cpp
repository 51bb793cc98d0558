#include "platform/StageProbe.h"

#include <time.h>

#include <algorithm>
#include <array>

namespace zor::probe {

namespace detail {
std::atomic<bool> g_on{false};
}

namespace {

struct StageSlot {
  std::atomic<int64_t> ns{0};
  std::atomic<uint64_t> count{0};
};

struct LatencyTable {
  std::array<std::atomic<int64_t>, kMaxLatencySamples> samples{};
  std::atomic<uint64_t> next{0};
  std::atomic<int64_t> last_since_ns{0};
};

// Zero-initialised statics: their pages are touched only once a bench records into them.
std::array<StageSlot, kStageCount> g_stages;
std::array<LatencyTable, kTrackCount> g_latencies;

}  // namespace

int64_t ThreadCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void SetOn(bool on) { detail::g_on.store(on, std::memory_order_relaxed); }

void Reset() {
  for (StageSlot& s : g_stages) {
    s.ns.store(0, std::memory_order_relaxed);
    s.count.store(0, std::memory_order_relaxed);
  }
  for (LatencyTable& t : g_latencies) {
    t.next.store(0, std::memory_order_relaxed);
    t.last_since_ns.store(0, std::memory_order_relaxed);
  }
}

void AddStage(Stage stage, int64_t ns) {
  StageSlot& s = g_stages[static_cast<size_t>(stage)];
  s.ns.fetch_add(ns, std::memory_order_relaxed);
  s.count.fetch_add(1, std::memory_order_relaxed);
}

void AddLatency(Track track, int64_t since_ns) {
  if (since_ns == 0) return;
  LatencyTable& t = g_latencies[static_cast<size_t>(track)];
  if (t.last_since_ns.exchange(since_ns, std::memory_order_relaxed) == since_ns) return;
  const uint64_t slot = t.next.fetch_add(1, std::memory_order_relaxed);
  if (slot < kMaxLatencySamples) t.samples[slot].store(MonotonicNs() - since_ns, std::memory_order_relaxed);
}

StageTotal Total(Stage stage) {
  const StageSlot& s = g_stages[static_cast<size_t>(stage)];
  return {s.ns.load(std::memory_order_relaxed), s.count.load(std::memory_order_relaxed)};
}

std::vector<int64_t> Latencies(Track track) {
  const LatencyTable& t = g_latencies[static_cast<size_t>(track)];
  const size_t n = static_cast<size_t>(std::min<uint64_t>(t.next.load(std::memory_order_relaxed), kMaxLatencySamples));
  std::vector<int64_t> out(n);
  for (size_t i = 0; i < n; ++i) out[i] = t.samples[i].load(std::memory_order_relaxed);
  return out;
}

uint64_t LatencyCount(Track track) {
  return g_latencies[static_cast<size_t>(track)].next.load(std::memory_order_relaxed);
}

}  // namespace zor::probe
