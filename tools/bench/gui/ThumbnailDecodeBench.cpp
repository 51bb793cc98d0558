// One frame of a device that only its thumbnail shows, 1920 x 1080 from the simulator's screen:
// today's way (decode the whole picture, then the view scales it to 400 x 225) against the small
// decode (libjpeg-turbo's 1/4 scale, 480 x 270, then the view scales that). Both ways run in the
// same loop, one after the other for every frame, so the ratio comes from one run. Counters:
// process CPU per frame for the decode alone and with the thumbnail's scaling, their ratios,
// and the bytes asked of the allocator per frame.
#include <QWidget>
#include <benchmark/benchmark.h>

#include "AllocationCount.h"
#include "device/JpegDecoder.h"
#include "gui/pane/ThumbnailView.h"
#include "GuiBenchSupport.h"
#include "model/FramePool.h"
#include "sim/SimScreen.h"

namespace zor {
namespace {

using bench::Allocations;
using bench::BenchApp;
using bench::ProcessCpuNs;

constexpr int kSnapshotQuality = 60;  // the software agent's thumbnail pictures

struct DecodeWay {
  PictureNeed need;
  int64_t decode_ns = 0;
  int64_t total_ns = 0;  // decode, hand-off and the thumbnail's paint with its scaling
  uint64_t bytes = 0;
  uint32_t width = 0;
};

void BM_ThumbnailFrameFullVersusSmallDecode(benchmark::State& state) {
  BenchApp();
  SimScreen screen(1920, 1080);
  const std::vector<uint8_t> jpeg = *screen.Jpeg(kSnapshotQuality);
  QWidget pane;
  pane.resize(400, 300);
  ThumbnailView thumb(&pane, nullptr);
  thumb.ShowState(ConnectionState::Streaming);
  QImage target(thumb.size(), QImage::Format_ARGB32_Premultiplied);
  JpegContext context;
  FramePool pool;  // as the driver decodes: into recycled buffers
  DecodeWay ways[2] = {{PictureNeed::FullSize()}, {thumb.Need()}};
  for (auto _ : state) {
    for (DecodeWay& way : ways) {
      const uint64_t bytes_before = Allocations().bytes;
      const int64_t start_ns = ProcessCpuNs();
      std::shared_ptr<ScreenImage> frame = pool.Take();
      if (!DecodeJpeg(context, jpeg.data(), jpeg.size(), way.need, *frame)) state.SkipWithError("decode failed");
      const int64_t decoded_ns = ProcessCpuNs();
      way.width = frame->width;
      thumb.SetFrame(std::move(frame));
      QApplication::processEvents();  // the queued repaint request
      thumb.render(&target);          // the paint, which scales the new picture once
      benchmark::DoNotOptimize(target.constBits());
      way.decode_ns += decoded_ns - start_ns;
      way.total_ns += ProcessCpuNs() - start_ns;
      way.bytes += Allocations().bytes - bytes_before;
    }
  }
  const auto frames = static_cast<double>(state.iterations());
  const DecodeWay& full = ways[0];
  const DecodeWay& small = ways[1];
  state.counters["full_decode_ms"] = static_cast<double>(full.decode_ns) / frames * 1e-6;
  state.counters["small_decode_ms"] = static_cast<double>(small.decode_ns) / frames * 1e-6;
  state.counters["decode_ratio"] = static_cast<double>(full.decode_ns) / static_cast<double>(small.decode_ns);
  state.counters["full_with_thumb_ms"] = static_cast<double>(full.total_ns) / frames * 1e-6;
  state.counters["small_with_thumb_ms"] = static_cast<double>(small.total_ns) / frames * 1e-6;
  state.counters["with_thumb_ratio"] = static_cast<double>(full.total_ns) / static_cast<double>(small.total_ns);
  state.counters["full_alloc_bytes"] = static_cast<double>(full.bytes) / frames;
  state.counters["small_alloc_bytes"] = static_cast<double>(small.bytes) / frames;
  state.SetLabel(std::to_string(jpeg.size() / 1024) + " KiB JPEG, small decode " + std::to_string(small.width) +
                 " wide");
}
BENCHMARK(BM_ThumbnailFrameFullVersusSmallDecode)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
}  // namespace zor
