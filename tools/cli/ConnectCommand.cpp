// zorkvm-cli connect: connects one device of a config.ini the way the program's pane does and
// reports every frame, so an operator can see that a device answers and at what rate.
#include <charconv>
#include <iostream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <opencv2/imgcodecs.hpp>
#include <optional>

#include "CliCommand.h"
#include "model/DeviceListFile.h"
#include "platform/Clock.h"
#include "platform/FileIO.h"
#include "platform/ProgramPath.h"
#include "presentation/PaneController.h"

namespace zor::cli {
namespace {

// Longest run: a day, so a typo cannot make the command run for ever.
constexpr double kMaxSeconds = 86400;
// How often the main thread prints the frames the driver delivered meanwhile.
constexpr int64_t kPrintIntervalMs = 50;

struct ConnectOptions {
  std::string config;
  size_t device = 0;
  double seconds = 5;
  bool stream = false;
  std::string save_frame;
};

// Notes the time and size of each frame on the driver's thread; the main thread prints them.
class FrameReporter : public IFrameConsumer {
 public:
  struct Entry {
    double time_ms = 0;
    uint32_t width = 0;
    uint32_t height = 0;
  };
  explicit FrameReporter(int64_t start_ns) : start_ns_(start_ns) {}

  void OnFrame(const FramePtr& frame) override {
    std::lock_guard lock(mutex_);
    pending_.push_back({(MonotonicNs() - start_ns_) / 1e6, frame->width, frame->height});
    ++count_;
  }
  // Prints and forgets what arrived since the last call.
  void Print() {
    std::vector<Entry> entries;
    {
      std::lock_guard lock(mutex_);
      entries.swap(pending_);
    }
    for (const Entry& e : entries) {
      std::cout << nlohmann::ordered_json{{"time_ms", e.time_ms}, {"width", e.width}, {"height", e.height}}.dump()
                << "\n";
    }
    std::cout.flush();
  }
  uint64_t Count() const {
    std::lock_guard lock(mutex_);
    return count_;
  }

 private:
  const int64_t start_ns_;
  mutable std::mutex mutex_;
  std::vector<Entry> pending_;
  uint64_t count_ = 0;
};

std::optional<ConnectOptions> Parse(const Args& args, std::string& error) {
  ConnectOptions o;
  bool have_device = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--stream") {
      o.stream = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "missing value after " + a;
      return std::nullopt;
    }
    const std::string& v = args[++i];
    const char* end = v.data() + v.size();
    if (a == "--config") {
      o.config = v;
    } else if (a == "--device") {
      have_device = std::from_chars(v.data(), end, o.device).ptr == end && !v.empty();
      if (!have_device) error = "--device takes a device index (0 is the first)";
    } else if (a == "--seconds") {
      const auto r = std::from_chars(v.data(), end, o.seconds);
      if (r.ptr != end || v.empty() || !(o.seconds > 0 && o.seconds <= kMaxSeconds)) error = "--seconds takes 0 < S <= 86400";
    } else if (a == "--save-frame") {
      o.save_frame = v;
    } else {
      error = "unknown option '" + a + "'";
    }
    if (!error.empty()) return std::nullopt;
  }
  if (o.config.empty() || !have_device) {
    error = "connect needs --config PATH and --device N";
    return std::nullopt;
  }
  return o;
}

bool SavePng(const ScreenImage& frame, const std::string& path) {
  const cv::Mat bgra(static_cast<int>(frame.height), static_cast<int>(frame.width), CV_8UC4,
                     const_cast<uint8_t*>(frame.pixels.data()));
  std::vector<uint8_t> png;
  if (!cv::imencode(".png", bgra, png)) return false;
  return static_cast<bool>(WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size())));
}

int Run(const Args& args) {
  std::string error;
  const auto options = Parse(args, error);
  if (!options) return UsageError(error);
  DeviceList devices;
  if (!LoadDeviceList(WidePath(options->config), devices)) return Fail("cannot load device list '" + options->config + "'");
  if (options->device >= devices.size()) return Fail("no device " + std::to_string(options->device) + " in the list");
  DeviceInfo& device = *devices[options->device];

  PaneController pane(&device);
  pane.SetIndex(static_cast<uint32_t>(options->device));
  pane.Start();
  DeviceSession& client = pane.Session();
  if (!client.Driver()) return Fail("device type " + std::to_string(device.Type) + " has no driver");
  const int64_t start_ns = MonotonicNs();
  FrameReporter reporter(start_ns);
  client.AttachConsumer(ConsumerRole::Thumbnail, &reporter);

  pane.Execute(PaneCommand::ToggleConnection);  // as the connect timer presses it
  if (options->stream) client.OpenFullControl();
  const int64_t end_ns = start_ns + static_cast<int64_t>(options->seconds * 1e9);
  while (MonotonicNs() < end_ns) {
    SleepMs(std::min<int64_t>(kPrintIntervalMs, (end_ns - MonotonicNs()) / 1'000'000 + 1));
    reporter.Print();
  }
  // Read while still connected: why the pictures stopped or never came.
  const std::string last_error = client.LastError();
  if (options->stream) client.CloseFullControl();
  pane.Execute(PaneCommand::ToggleConnection);  // disconnect
  client.DetachConsumer(&reporter);
  reporter.Print();

  const double elapsed_s = (MonotonicNs() - start_ns) / 1e9;
  const uint64_t frames = reporter.Count();
  nlohmann::ordered_json summary{{"frames", frames}, {"seconds", elapsed_s}, {"fps", frames / elapsed_s}};
  if (!last_error.empty()) summary["error"] = last_error;
  std::cout << summary.dump() << "\n";
  if (!options->save_frame.empty()) {
    const FramePtr last = client.CurrentFrame();
    if (!last) return Fail("no frame arrived, nothing saved to '" + options->save_frame + "'");
    if (!SavePng(*last, options->save_frame)) return Fail("cannot write '" + options->save_frame + "'");
  }
  if (frames > 0) return 0;
  return Fail("no frame arrived from the device" + (last_error.empty() ? "" : ": " + last_error));
}

const CliCommandRegistrar registrar(
    {"connect",
     "  connect --config PATH --device N [--seconds S] [--stream] [--save-frame OUT.png]\n"
     "                       connect device N (0 is the first) of a config.ini for S seconds (default 5),\n"
     "                       at the thumbnail rate or with --stream at the full-control rate; prints one\n"
     "                       JSON line per frame and a summary (with \"error\": why the device could not\n"
     "                       be reached, when it could not), optionally saves the last frame as PNG",
     Run});

}  // namespace
}  // namespace zor::cli
