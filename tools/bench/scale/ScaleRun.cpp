#include "scale/ScaleRun.h"

#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <functional>

#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/window/MainWindow.h"
#include "gui/window/PaneContainer.h"
#include "model/AppConfig.h"
#include "platform/ProgramPath.h"
#include "platform/StageProbe.h"
#include "presentation/GroupControl.h"
#include "presentation/PaneController.h"
#include "scale/ProcessSample.h"
#include "scale/ScaleCliRun.h"
#include "scale/ScaleDataFolder.h"
#include "scale/report/Percentile.h"
#include "support/LoopbackAddress.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace zor::bench {
namespace {

// The panes connect all at once (the program's timer takes them one a second); on a loaded
// machine 64 simulated devices may still take a while to send their first pictures.
// How often a wait looks at its condition while the GUI thread's events run.
constexpr int kPollIntervalMs = 20;
// The hardware device's input channel is always on this port of each device's own address.
constexpr uint16_t kHidPort = 80;
constexpr uint32_t kSoftKvmTypeId = 0;
constexpr uint32_t kTesselTypeId = 1;

// Runs the GUI thread's events until `done` holds (true) or `timeout_ms` passed (false).
bool RunEventsUntil(const std::function<bool()>& done, int timeout_ms) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  poll.start(kPollIntervalMs);
  QTimer::singleShot(timeout_ms, &loop, &QEventLoop::quit);
  if (!done()) loop.exec();
  return done();
}

// Runs the GUI thread's events for `seconds`: the window in which the client works as usual.
void RunEventsFor(double seconds) {
  QEventLoop loop;
  // Precise: a coarse timer may end the window 5 % early.
  QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

bool AllStreaming(const PaneContainer& clients) {
  for (const DevicePane* pane : clients.Panes()) {
    // A pane out of sight gets no picture of its own, only the state.
    const ThumbnailView& thumb = *pane->Thumb();
    if (thumb.ShownState() != ConnectionState::Streaming || (thumb.InSight() && !thumb.Picture())) return false;
  }
  return true;
}

// The hardware device's simulator serves device i on the base address + i, each with its input
// port 80: a random 127.x.y.0/24 (as the tests pick theirs) keeps clear of other listeners, and
// a base of .1 keeps all 64 devices in it. A taken port still fails the row, saying so.
std::string SimBaseAddress(const std::string& type) {
  if (type != "tessel") return "127.0.0.1";
  std::string free = test::FreeLoopbackAddress(kHidPort);
  return free.empty() ? free : free.substr(0, free.rfind('.')) + ".1";
}

std::string OffsetAddress(const std::string& base, int offset) {
  const size_t dot = base.rfind('.');
  return base.substr(0, dot + 1) + std::to_string(std::stoi(base.substr(dot + 1)) + offset);
}

std::vector<ScaleDevice> SimDevices(const test::SimProcess& sim, const std::string& type) {
  std::vector<ScaleDevice> devices;
  for (size_t i = 0; i < sim.Ports().size(); ++i) {
    devices.push_back({type == "tessel" ? OffsetAddress(sim.Address(), static_cast<int>(i)) : sim.Address(),
                       sim.Ports()[i]});
  }
  return devices;
}

double PerSecond(int64_t ns, double seconds) { return static_cast<double>(ns) / 1e6 / seconds; }

ScaleRow Measure(const ScaleCase& c, double seconds) {
  probe::Reset();
  probe::SetOn(true);
  const ProcessSample before = SampleProcess(getpid());
  RunEventsFor(seconds);
  const ProcessSample after = SampleProcess(getpid());
  probe::SetOn(false);
  ScaleRow row{c.type, c.series, c.devices};
  SetProcessFigures(before, after, row);
  row.frames_received = probe::Total(probe::Stage::Decode).count;
  row.frames_painted = probe::LatencyCount(probe::Track::Thumbnail);
  row.frames_analysed = probe::Total(probe::Stage::Analysis).count;
  row.fullcontrol_painted = probe::LatencyCount(probe::Track::FullControl);
  const std::vector<int64_t> thumbs = probe::Latencies(probe::Track::Thumbnail);
  const std::vector<int64_t> full = probe::Latencies(probe::Track::FullControl);
  row.latency_median_ms = PercentileMs(thumbs, 50);
  row.latency_p99_ms = PercentileMs(thumbs, 99);
  row.fullcontrol_latency_median_ms = PercentileMs(full, 50);
  row.fullcontrol_latency_p99_ms = PercentileMs(full, 99);
  // Receive has no hook of its own: it is what the network threads spent besides decoding and
  // handing out the frames that run on them.
  const int64_t decode_ns = probe::Total(probe::Stage::Decode).ns;
  const int64_t fanout_ns = probe::Total(probe::Stage::FanOut).ns;
  const int64_t receive_ns = std::max<int64_t>(0, after.network_cpu_ns - before.network_cpu_ns - decode_ns - fanout_ns);
  row.stage_ms_per_s = {PerSecond(receive_ns, row.seconds), PerSecond(decode_ns, row.seconds),
                        PerSecond(fanout_ns, row.seconds), PerSecond(probe::Total(probe::Stage::Paint).ns, row.seconds),
                        PerSecond(probe::Total(probe::Stage::Analysis).ns, row.seconds)};
  return row;
}

// Starts what the series adds to the thumbnails, as the operator's buttons would.
void StartSeries(const ScaleCase& c, PaneContainer& clients) {
  if (c.series == "apps") clients.RunGroupAction(GroupAction::Start);
  if (c.series == "fullcontrol") clients.Panes().front()->Controller()->Execute(PaneCommand::OpenFullControl);
}

std::optional<ScaleRow> RunWithSim(const ScaleOptions& options, const ScaleCase& c, const test::SimProcess& sim,
                                   std::string& error) {
  test::TempDir folder;
  for (const char* sub : {"/Apps", "/Scenes"}) std::filesystem::create_directory(folder.Path() + sub);
  if (!WriteScaleDataFolder(folder.Path(), c.type == "tessel" ? kTesselTypeId : kSoftKvmTypeId, SimDevices(sim, c.type),
                            c.series != "thumbs" && c.series != "fullcontrol", error)) {
    return std::nullopt;
  }
  if (c.series == "cli-apps") return RunCliCase(options, c, folder.Path(), error);
  AppConfig::Instance().SetFolders(WidePath(folder.Path() + "/zorkvm"));
  MainWindow window;
  window.show();  // the program's own size and tile layout
  // What the connect timer does on a pane's first tick, for every pane now.
  for (DevicePane* pane : window.Clients()->Panes()) {
    pane->PressConnect();
    pane->TickConnectWait();
  }
  if (!RunEventsUntil([&] { return AllStreaming(*window.Clients()); }, kStreamingTimeoutMs)) {
    error = "not every device streamed within " + std::to_string(kStreamingTimeoutMs / 1000) + " s";
    window.CloseWithoutAsking();
    return std::nullopt;
  }
  StartSeries(c, *window.Clients());
  RunEventsFor(options.warmup_seconds);
  ScaleRow row = Measure(c, options.seconds);
  window.CloseWithoutAsking();
  return row;
}

}  // namespace

std::optional<ScaleRow> RunScaleCase(const ScaleOptions& options, const ScaleCase& c, std::string& error) {
  test::SimProcessOptions sim_options;
  sim_options.address = SimBaseAddress(c.type);
  if (sim_options.address.empty()) {
    error = "no free loopback address for the hardware device's input port";
    return std::nullopt;
  }
  sim_options.extra_args = {"--type", c.type, "--devices", std::to_string(c.devices), "--size",
                            std::to_string(kScaleScreenWidth) + "x" + std::to_string(kScaleScreenHeight)};
  test::SimProcess sim(sim_options);
  if (!sim.Ready()) {
    error = "zorkvm-sim did not start: " + sim.Messages();
    return std::nullopt;
  }
  return RunWithSim(options, c, sim, error);
}

}  // namespace zor::bench
