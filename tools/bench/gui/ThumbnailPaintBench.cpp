// GUI-thread cost of the thumbnails: one frame handed to a pane's thumbnail (as a driver's
// thread does) and the repaint it asks for. The counters turn the cost of one frame into the
// share of one core that 16 panes at 4 frames per second take, and 16 at 4 plus one at 15.
#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>

#include "gui/pane/ThumbnailView.h"
#include "GuiBenchSupport.h"

namespace zor {
namespace {

using bench::BenchApp;
using bench::DesktopFrame;
using bench::ProcessCpuNs;

void BM_ThumbnailFrame(benchmark::State& state) {
  BenchApp();
  const auto w = static_cast<uint32_t>(state.range(0));
  const auto h = static_cast<uint32_t>(state.range(1));
  QWidget pane;
  pane.resize(400, 300);
  ThumbnailView thumb(&pane, nullptr);
  thumb.ShowState(ConnectionState::Streaming);
  // Alternate two frames so that every paint draws a new picture.
  const FramePtr frames[2] = {DesktopFrame(w, h, 0), DesktopFrame(w, h, 40)};
  QImage target(thumb.size(), QImage::Format_ARGB32_Premultiplied);
  size_t n = 0;
  for (auto _ : state) {
    const int64_t start_ns = ProcessCpuNs();
    thumb.SetFrame(frames[n++ & 1]);  // the hand-off, as the driver's thread makes it
    QApplication::processEvents();    // the queued repaint request
    thumb.render(&target);            // the paint itself
    benchmark::DoNotOptimize(target.constBits());
    state.SetIterationTime(static_cast<double>(ProcessCpuNs() - start_ns) * 1e-9);
  }
  // The time is the process's CPU time, not the GUI thread's alone: Qt may scale the picture on
  // its worker threads while the GUI thread waits for them. Seconds per frame times frames per second is the share of one core: the
  // inverted rate of (1 / fps) per iteration gives exactly that.
  const auto kShare = benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert;
  state.counters["core_share_16x4fps"] = benchmark::Counter(1.0 / (16 * 4), kShare);
  state.counters["core_share_16x4_1x15fps"] = benchmark::Counter(1.0 / (16 * 4 + 15), kShare);
}
BENCHMARK(BM_ThumbnailFrame)->Args({1920, 1080})->Args({1280, 720})->Unit(benchmark::kMicrosecond)->UseManualTime();

}  // namespace
}  // namespace zor
