// The hardware device's picture path per 1920 x 1080 frame: multipart parsing plus decoding as
// the driver does it, against a bare TurboJPEG decode of the same bytes into a reused buffer.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "device/DeviceDriver.h"
#include "device/MjpegPartParser.h"
#include "device/TesselLiteDriver.h"
#include "model/DeviceInfo.h"
#include "sim/SimScreen.h"

namespace zor {
namespace {

// Chunks as the HTTP client hands them over.
constexpr size_t kChunkBytes = 4096;
constexpr int kJpegQuality = 70;

const std::vector<uint8_t>& DesktopJpeg() {
  static const std::vector<uint8_t> jpeg = [] {
    SimScreen screen(1920, 1080);
    return *screen.Jpeg(kJpegQuality);
  }();
  return jpeg;
}

// One part of the device's stream, as the device sends it.
std::string StreamPart(const std::vector<uint8_t>& jpeg) {
  std::string part = "--frame\r\nContent-Type: image/jpeg\r\nContent-Length: " + std::to_string(jpeg.size()) + "\r\n\r\n";
  part.append(reinterpret_cast<const char*>(jpeg.data()), jpeg.size());
  part += "\r\n";
  return part;
}

void BM_BareTurboJpegDecode1080p(benchmark::State& state) {
  const auto& jpeg = DesktopJpeg();
  tjhandle handle = tjInitDecompress();
  std::vector<uint8_t> pixels(1920 * 1080 * 4);
  for (auto _ : state) {
    tjDecompress2(handle, jpeg.data(), jpeg.size(), pixels.data(), 1920, 1920 * 4, 1080, TJPF_BGRA, 0);
    benchmark::DoNotOptimize(pixels.data());
  }
  tjDestroy(handle);
}
BENCHMARK(BM_BareTurboJpegDecode1080p)->Unit(benchmark::kMillisecond);

// Takes every frame; holds the newest, as a client does.
class BenchOwner : public IDriverOwner {
 public:
  explicit BenchOwner(DeviceInfo device) : device_(std::move(device)) {}
  const DeviceInfo* Device() const override { return &device_; }
  void OnFrame(FramePtr frame) override {
    last_ = std::move(frame);
    ++frames_;
  }
  int64_t frames() const { return frames_; }

 private:
  DeviceInfo device_;
  FramePtr last_;
  int64_t frames_ = 0;
};

// The driver's own path: chunks into OnStreamData, parsed, decoded into a pooled frame and
// handed to the owner. The driver is connected to a port where nothing listens, so its stream
// thread only retries and never feeds data of its own.
void BM_TesselParseAndDecode1080p(benchmark::State& state) {
  const std::string part = StreamPart(DesktopJpeg());
  DeviceInfo device;
  device.Type = 1;
  device.ConnectIP = u"127.0.0.1";
  device.Port = 9;            // discard: closed on this machine
  device.FullFps = 1000000;  // an interval of 0 ms: every frame is delivered
  BenchOwner owner(device);
  TesselLiteDriver driver(owner);
  driver.StartStream();
  driver.Connect();
  const auto feed = [&] {
    for (size_t offset = 0; offset < part.size(); offset += kChunkBytes) {
      const size_t size = std::min(kChunkBytes, part.size() - offset);
      driver.OnStreamData(reinterpret_cast<const uint8_t*>(part.data()) + offset, size);
    }
  };
  feed();  // the first part waits for the next boundary
  for (auto _ : state) feed();
  driver.Disconnect();
  state.counters["delivered"] = static_cast<double>(owner.frames());
}
BENCHMARK(BM_TesselParseAndDecode1080p)->Unit(benchmark::kMillisecond);

// The parser alone; "growths" counts the times its buffer had to grow after warming up.
void BM_MjpegPartParser1080p(benchmark::State& state) {
  const std::string part = StreamPart(DesktopJpeg());
  MjpegPartParser parser;
  std::span<const uint8_t> jpeg;
  const auto feed = [&] {
    for (size_t offset = 0; offset < part.size(); offset += kChunkBytes) {
      const size_t size = std::min(kChunkBytes, part.size() - offset);
      parser.Append(reinterpret_cast<const uint8_t*>(part.data()) + offset, size);
      while (parser.NextPart(jpeg)) {
        benchmark::DoNotOptimize(jpeg.data());
        parser.DropPart();
      }
    }
  };
  feed();
  feed();
  const size_t warm_capacity = parser.capacity_bytes();
  int64_t growths = 0;
  for (auto _ : state) {
    feed();
    growths += parser.capacity_bytes() != warm_capacity;
  }
  state.counters["growths"] = static_cast<double>(growths);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * part.size()));
}
BENCHMARK(BM_MjpegPartParser1080p)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zor
