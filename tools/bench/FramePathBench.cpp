// The cost of one software-agent frame: bare decoding against the driver's whole path from a
// received message to DeviceSession::OnFrame returning, with the client image and a thumbnail.
// The whole path should cost at most a tenth more than the decode it contains.
#include <benchmark/benchmark.h>

#include "device/JpegDecoder.h"
#include "device/SoftKvmDriver.h"
#include "session/DeviceSession.h"
#include "session/FrameMailbox.h"
#include "sim/SimScreen.h"

namespace zor {
namespace {

constexpr int kDesktopWidth = 1920;
constexpr int kDesktopHeight = 1080;
constexpr int kStreamQuality = 70;

const std::vector<uint8_t>& DesktopJpeg() {
  static const std::vector<uint8_t> jpeg = [] {
    SimScreen screen(kDesktopWidth, kDesktopHeight);
    return *screen.Jpeg(kStreamQuality);
  }();
  return jpeg;
}

void BM_DecodeJpegIntoReusedBuffer(benchmark::State& state) {
  const std::vector<uint8_t>& jpeg = DesktopJpeg();
  JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  for (auto _ : state) {
    if (!DecodeJpeg(context, jpeg.data(), jpeg.size(), pixels, width, height)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetLabel(std::to_string(jpeg.size() / 1024) + " KiB JPEG");
}
BENCHMARK(BM_DecodeJpegIntoReusedBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SoftKvmMessageToOnFrame(benchmark::State& state) {
  const std::vector<uint8_t>& jpeg = DesktopJpeg();
  DeviceInfo device;
  device.Type = 0;
  DeviceSession client(&device);
  client.InstallDriver();
  FrameMailbox thumbnail;
  client.AttachConsumer(ConsumerRole::Thumbnail, &thumbnail);
  auto* driver = static_cast<SoftKvmDriver*>(client.Driver());
  WebSocketEvent message;
  message.kind = WebSocketEvent::Kind::Message;
  message.binary = true;
  message.data = std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size());
  for (auto _ : state) driver->OnSocketEvent(message);
  if (thumbnail.Count() != static_cast<uint64_t>(state.iterations())) state.SkipWithError("a frame did not reach the thumbnail");
  client.DetachConsumer(&thumbnail);
}
BENCHMARK(BM_SoftKvmMessageToOnFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zor
