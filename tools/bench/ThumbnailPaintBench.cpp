// GUI-thread cost of the thumbnails: one frame handed to a pane's thumbnail (as a driver's
// thread does) and the repaint it asks for. The counters turn the cost of one frame into the
// share of one core that 16 panes at 4 frames per second take, and 16 at 4 plus one at 15.
#include <QApplication>
#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>

#include "app/ui/UiTheme.h"
#include "shell/ui/ThumbWnd.h"

namespace zor {
namespace {

QApplication& BenchApp() {
  static int argc = 1;
  static char name[] = "zorkvm-bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  LoadThemeFonts();
  return app;
}

// CPU time of all the process's threads.
int64_t ProcessCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// A desktop-like picture: smooth gradients with some sharp edges, as screens are.
FramePtr DesktopFrame(uint32_t w, uint32_t h, uint8_t seed) {
  auto f = std::make_shared<ScreenImage>();
  f->width = w;
  f->height = h;
  f->pixels.resize(static_cast<size_t>(w) * h * 4);
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t* p = &f->pixels[(static_cast<size_t>(y) * w + x) * 4];
      const bool window = (x / 200 + y / 150) % 3 == 0;
      p[0] = window ? 240 : static_cast<uint8_t>(120 + y * 100 / h + seed);
      p[1] = window ? 240 : static_cast<uint8_t>(60 + x * 60 / w);
      p[2] = window ? 240 : static_cast<uint8_t>(20 + seed);
      p[3] = 255;
    }
  }
  return f;
}

void BM_ThumbnailFrame(benchmark::State& state) {
  BenchApp();
  const auto w = static_cast<uint32_t>(state.range(0));
  const auto h = static_cast<uint32_t>(state.range(1));
  QWidget pane;
  pane.resize(400, 300);
  ThumbWnd thumb(&pane, nullptr);
  thumb.ShowState(ClientState::Streaming);
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
