// TesselLiteDriver: lifecycle and the picture side (the MJPEG stream on the driver's strand).
#include "device/TesselLiteDriver.h"

#include <algorithm>

#include "device/PhaseSpread.h"
#include "model/AppConfig.h"
#include "model/DeviceInfo.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Diag.h"

namespace zor {
namespace {

constexpr std::string_view kDiagCategory = "drivers";
constexpr int64_t kNsPerMs = 1'000'000;

}  // namespace

TesselLiteDriver::TesselLiteDriver(IDriverOwner& owner, double delivery_phase)
    : owner_(owner),
      intervals_(DeliveryIntervalsFor(owner.Device())),
      pacer_(&MonotonicNs, PhaseNs(delivery_phase, intervals_.thumbnail_ms * kNsPerMs)) {
  const DeviceInfo* device = owner_.Device();
  if (device) {
    screen_width_ = static_cast<int32_t>(device->ScreenWidth);
    screen_height_ = static_cast<int32_t>(device->ScreenHeight);
  }
  hid_socket_.SetCallback([this](const WebSocketEvent& event) { OnHidSocketEvent(event); });
}

TesselLiteDriver::~TesselLiteDriver() { Disconnect(); }

void TesselLiteDriver::StartStream() { fast_ = true; }

void TesselLiteDriver::StopStream() { fast_ = false; }

bool TesselLiteDriver::Connect() {
  if (running_) return true;
  // A reader that a Disconnect on the strand itself stopped is still to be waited for.
  StopStreamReader();
  ConnectInput();
  const DeviceInfo* device = owner_.Device();
  if (!device) return true;
  const DeviceTypeInfo* type = AppConfig::Instance().FindDeviceType(device->Type);
  HttpStreamTarget target{ToCodePage949(device->ConnectIP), static_cast<uint16_t>(device->Port),
                          type ? ToCodePage949(type->stream_path) : std::string()};
  diag::Write(kDiagCategory, "TesselLiteDriver stream " + target.host + ":" + std::to_string(target.port) + target.path);
  reader_ = std::make_unique<HttpStreamReader>(
      strand_, std::move(target), HttpStreamTimeouts{kConnectTimeoutS, kReadTimeoutS, kRetryPauseMs},
      static_cast<IHttpStreamHandler&>(*this));
  running_ = true;
  reader_->Start();
  return true;
}

void TesselLiteDriver::Disconnect() {
  running_ = false;
  // The input channel is closed even when the stream was not running, so that a socket that
  // lost its device stops reconnecting to it.
  DisconnectInput();
  StopStreamReader();
}

void TesselLiteDriver::StopStreamReader() {
  if (!reader_) return;
  // Ends the request in flight at once, a connection attempt included, and waits until no
  // handler of it runs any more.
  reader_->Stop();
  // Called on the strand itself (from OnFrame) it cannot wait: the reader is kept, and the next
  // Connect or Disconnect waits for it.
  if (NetworkLoop::Shared().OnLoopThread()) return;
  reader_.reset();
}

TesselLiteDriver::StreamMemory TesselLiteDriver::StreamMemoryPeak() const {
  return {reader_ ? reader_->HeldBytesPeak() : 0, parts_bytes_peak_};
}

int64_t TesselLiteDriver::IntervalNs() const {
  return (fast_ ? intervals_.full_control_ms : intervals_.thumbnail_ms) * kNsPerMs;
}

void TesselLiteDriver::OnStreamData(const uint8_t* data, size_t size) {
  if (!decoder_.Valid()) return;
  parser_.Append(data, size);
  std::span<const uint8_t> jpeg;
  while (running_ && parser_.NextPart(jpeg)) {
    if (pacer_.OnPicture(IntervalNs()) == DeliveryPacer::Decision::kDeliverNow) {
      DeliverPicture(jpeg);
    } else {
      // Waits undecoded for its turn, in place of the part that waited before it.
      held_part_.assign(jpeg.begin(), jpeg.end());
      if (reader_) reader_->WakeAt(pacer_.DueNs(IntervalNs()));
    }
    parser_.DropPart();
  }
  // Neither buffer gives memory back, so their capacities now are their peaks.
  parts_bytes_peak_ = parser_.capacity_bytes() + held_part_.capacity();
}

void TesselLiteDriver::OnWake() {
  if (!running_) return;
  if (pacer_.TakeHeldIfDue(IntervalNs())) {
    DeliverPicture(held_part_);
  } else if (pacer_.Holding()) {
    // The rate changed to a longer interval meanwhile: try again when that one is up.
    reader_->WakeAt(pacer_.DueNs(IntervalNs()));
  }
}

void TesselLiteDriver::DeliverPicture(std::span<const uint8_t> jpeg) {
  FramePtr frame = decoder_.Decode(jpeg.data(), jpeg.size(), owner_.NeededPicture());
  if (!frame) {
    last_error_.Set("not a JPEG picture");
    return;
  }
  last_error_.Clear();
  if (running_) owner_.OnFrame(std::move(frame));
}

}  // namespace zor
