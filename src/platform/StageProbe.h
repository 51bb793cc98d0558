#pragma once
// Where the time of a frame goes, for zorkvm-bench's scale runs. Off unless a bench turns it on:
// each hook then costs one relaxed atomic load and a branch, so the program pays nothing
// measurable. While on, hooks add the CPU time their thread spent in the stage (so a loaded
// machine's waits for a core are not counted as work) and latencies, in nanoseconds of the
// steady clock, to a bounded table; every entry point is safe from any thread.
//
// Threads each stage is recorded on:
//   Decode    the driver's receive thread (JPEG to BGRA; also stamps the frame's bytes as complete)
//   FanOut    the same thread, DeviceSession::OnFrame handing the frame to its consumers
//   Paint     the GUI thread, thumbnail and full control paint events
//   Analysis  each App worker's thread, one analysis of an Item
// Latencies (bytes complete to the end of the paint that first shows the frame) are recorded on
// the GUI thread.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Clock.h"

namespace zor::probe {

enum class Stage : uint8_t { Decode, FanOut, Paint, Analysis };
inline constexpr size_t kStageCount = 4;

enum class Track : uint8_t { Thumbnail, FullControl };
inline constexpr size_t kTrackCount = 2;

// Latencies kept per track until taken: 64 devices at 4 fps for a minute, or a full control
// window at 30 fps for half an hour, fit; later ones are counted but not kept, so a long run
// holds a fixed 512 KiB per track.
inline constexpr size_t kMaxLatencySamples = size_t{1} << 16;

namespace detail {
extern std::atomic<bool> g_on;
}

inline bool On() { return detail::g_on.load(std::memory_order_relaxed); }
void SetOn(bool on);
// Clears every total and latency (call while no frame flows, or accept a few strays).
void Reset();

void AddStage(Stage stage, int64_t ns);
// A latency from `since_ns` (MonotonicNs) to now; since_ns 0 (not stamped) is ignored, and so is
// a stamp equal to the track's last one (a repaint of the frame it already counted).
void AddLatency(Track track, int64_t since_ns);
// The stamp a frame carries while the probe is on, 0 while off.
inline int64_t StampNs() { return On() ? MonotonicNs() : 0; }

struct StageTotal {
  int64_t ns = 0;
  uint64_t count = 0;
};
StageTotal Total(Stage stage);
// Every latency recorded on `track` since the last Reset (at most kMaxLatencySamples), and how
// many were recorded in all.
std::vector<int64_t> Latencies(Track track);
uint64_t LatencyCount(Track track);

// CPU time of the calling thread (CLOCK_THREAD_CPUTIME_ID), in nanoseconds.
int64_t ThreadCpuNs();

// Adds the thread's CPU time from its construction to its end to `stage`, when the probe was on
// at the start.
class StageTimer {
 public:
  explicit StageTimer(Stage stage) : stage_(stage), start_ns_(On() ? ThreadCpuNs() : kOff) {}
  ~StageTimer() {
    if (start_ns_ != kOff) AddStage(stage_, ThreadCpuNs() - start_ns_);
  }
  StageTimer(const StageTimer&) = delete;
  StageTimer& operator=(const StageTimer&) = delete;

 private:
  static constexpr int64_t kOff = -1;
  Stage stage_;
  int64_t start_ns_ = kOff;
};

}  // namespace zor::probe
