#include "TesselServer.h"

#include <arpa/inet.h>

#include <nlohmann/json.hpp>

#include "input/HidReports.h"
#include "MjpegStreamServer.h"
#include "platform/CodePage.h"
#include "sim/SimScreen.h"
#include "SimKeyboard.h"
#include "SimMessageLog.h"
#include "TesselHidServer.h"

namespace zor::sim {
namespace {

constexpr std::string_view kHidChannel = "hid";
constexpr std::string_view kStreamChannel = "mjpeg";
// The device encodes its stream at one fixed quality.
constexpr int kStreamQuality = 70;

// The screen pixel of an absolute coordinate, the inverse of the driver's scaling.
int32_t ToPixel(uint16_t absolute, int32_t extent) {
  return static_cast<int32_t>((int64_t{absolute} * extent + hid::kMaxAbsolute / 2) / hid::kMaxAbsolute);
}

}  // namespace

std::string NextLoopbackAddress(const std::string& address, int offset) {
  in_addr parsed{};
  if (inet_pton(AF_INET, address.c_str(), &parsed) != 1) return {};
  const uint32_t next = ntohl(parsed.s_addr) + static_cast<uint32_t>(offset);
  if ((next >> 24) != 127) return {};
  parsed.s_addr = htonl(next);
  char text[INET_ADDRSTRLEN] = {};
  return inet_ntop(AF_INET, &parsed, text, sizeof text) ? std::string(text) : std::string();
}

class TesselServer::Impl {
 public:
  Impl(const TesselServerConfig& config, SimScreen& screen, SimMessageLog& log)
      : config_(config), screen_(screen), log_(log) {
    stream_ = std::make_unique<MjpegStreamServer>(
        MjpegStreamConfig{config.address, config.port, "/api/stream/mjpeg", config.fps, config.parts_per_stream,
                          config.fault},
        [this] { return screen_.Jpeg(kStreamQuality); },
        [this](const std::string& peer, const std::string& event) {
          log_.Event(config_.device_index, kStreamChannel, peer, event);
        });
    if (!stream_->Listening()) {
      error_ = "stream port " + std::to_string(config.port) + ": " + stream_->Error();
      return;
    }
    hid_ = std::make_unique<TesselHidServer>(
        TesselHidServerConfig{config.address, config.hid_port, "/api/ws"},
        [this](std::string_view peer, std::string_view event, bool binary, std::string_view payload) {
          OnHid(peer, event, binary, payload);
        });
    if (!hid_->Listening()) error_ = "input port " + std::to_string(config.hid_port) + ": " + hid_->Error();
  }

  // Input first: its handler uses the screen and the log, which outlive this object.
  ~Impl() {
    hid_.reset();
    stream_.reset();
  }

  // On the input server's I/O thread, one call at a time.
  void OnHid(std::string_view peer, std::string_view event, bool binary, std::string_view payload) {
    if (event != "message") {
      log_.Event(config_.device_index, kHidChannel, peer, event);
      return;
    }
    log_.Message(config_.device_index, kHidChannel, peer, binary, payload);
    hid::DecodedReport report;
    const auto* bytes = reinterpret_cast<const uint8_t*>(payload.data());
    if (!binary || !hid::DecodeReport({bytes, payload.size()}, report)) return;
    nlohmann::ordered_json fields;
    if (report.kind == hid::kMouseReportKind) {
      ApplyMouse(report);
      fields = {{"report", "mouse"}, {"buttons", report.buttons}, {"x", report.x}, {"y", report.y}, {"wheel", report.wheel},
                {"ok_clicks", screen_.OkClicks()}, {"toggle_clicks", screen_.ToggleClicks()}};
    } else {
      if (keyboard_.Apply(report.modifiers, report.usage)) screen_.SetFieldText(ToUtf8(keyboard_.Text()));
      fields = {{"report", "key"},
                {"modifiers", report.modifiers},
                {"usage", report.usage},
                {"korean", keyboard_.Korean()},
                {"field", ToUtf8(keyboard_.Text())}};
    }
    log_.Decoded(config_.device_index, kHidChannel, peer, fields);
  }

  void ApplyMouse(const hid::DecodedReport& report) {
    screen_.MoveTo(ToPixel(report.x, screen_.Width()), ToPixel(report.y, screen_.Height()));
    for (const auto& [bit, name] : {std::pair{hid::kButtonLeft, "left"}, std::pair{hid::kButtonRight, "right"}}) {
      const bool down = (report.buttons & bit) != 0;
      if (down != ((buttons_ & bit) != 0)) screen_.Button(name, down);
    }
    buttons_ = report.buttons;
    if (report.wheel != 0) screen_.Wheel(report.wheel < 0);
  }

  const TesselServerConfig config_;
  SimScreen& screen_;
  SimMessageLog& log_;
  std::unique_ptr<MjpegStreamServer> stream_;
  std::unique_ptr<TesselHidServer> hid_;
  std::string error_;
  // Device state, touched only on the input server's I/O thread.
  SimKeyboard keyboard_;
  uint8_t buttons_ = 0;
};

TesselServer::TesselServer(const TesselServerConfig& config, SimScreen& screen, SimMessageLog& log)
    : impl_(std::make_unique<Impl>(config, screen, log)) {}
TesselServer::~TesselServer() = default;

bool TesselServer::Listening() const { return impl_->error_.empty(); }
const std::string& TesselServer::Error() const { return impl_->error_; }
uint16_t TesselServer::Port() const { return impl_->stream_->Port(); }

}  // namespace zor::sim
