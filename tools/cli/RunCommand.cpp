// zorkvm-cli run: runs the devices' automation without the GUI, for test labs and unattended
// machines. Connects the chosen devices of a config.ini, starts their Apps as the pane's start
// button does, and prints one JSON line per event until the time is up or it is interrupted;
// a summary line per device (the actions it sent, by Scene and Item) comes before the last line.
#include <algorithm>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <tuple>
#include <nlohmann/json.hpp>
#include <optional>

#include "automation/AutoRunner.h"
#include "automation/RunObserverFanOut.h"
#include "CliCommand.h"
#include "model/AppConfig.h"
#include "model/DeviceListFile.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/ProgramPath.h"
#include "presentation/PaneController.h"
#include "presentation/RunEventLines.h"
#include "presentation/RunLogWriter.h"
#include "RecordFile.h"

namespace zor::cli {
namespace {

using nlohmann::ordered_json;

// Longest timed run: a day, so a typo cannot make a timed run last for ever.
constexpr double kMaxSeconds = 86400;
// How often the main thread looks at the clock and for an interruption.
constexpr int64_t kPollIntervalMs = 20;

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void OnSignal(int) { g_interrupted.store(true); }

struct RunOptions {
  std::string config;
  std::vector<size_t> devices;  // empty: all
  std::optional<double> seconds;
  WatchdogSettings watchdog;
  std::string log_folder;  // empty: no run log
  uint64_t log_cap_bytes = kDefaultRunLogCapBytes;
};

constexpr double kBytesPerMb = 1024.0 * 1024.0;

// One line per event, whole lines only: workers of several Apps and devices print at once.
class EventPrinter {
 public:
  void Print(const ordered_json& line) {
    std::lock_guard lock(mutex_);
    std::cout << line.dump() << "\n" << std::flush;
  }

 private:
  std::mutex mutex_;
};

// The lines of one device: printed, and kept in the device's run log when there is one.
class DeviceLines : public IRunEventSink {
 public:
  explicit DeviceLines(EventPrinter& printer) : printer_(printer) {}

  // Before the run starts; the log then takes every line until the run ends.
  void SetLog(std::unique_ptr<RunLogWriter> log) { log_ = std::move(log); }
  void Write(const ordered_json& line) override {
    printer_.Print(line);
    if (log_) log_->Write(line);
  }

 private:
  EventPrinter& printer_;
  std::unique_ptr<RunLogWriter> log_;
};

// What only the command line reports of a device: its first frame, and the actions it sent,
// counted for the summary.
class DeviceEvents : public IRunObserver, public IFrameConsumer {
 public:
  DeviceEvents(IRunEventSink& lines, size_t device) : lines_(lines), device_(device) {}

  void OnFrame(const FramePtr& frame) override {
    if (connected_.exchange(true)) return;
    lines_.Write(ConnectedLine(device_, *frame));
  }
  void OnActionSent(const AppInfo& app, const Item& item, const ItemAction& action) override {
    // Workers of several Apps report at once.
    std::lock_guard lock(counts_mutex_);
    ++counts_[{ToUtf8(app.CurrentSceneName()), ToUtf8(item.Name), ToUtf8(ActionCodeName(action.Code))}];
  }

  // The actions sent so far, one entry per Scene, Item and action name, in that order.
  ordered_json Summary(const std::string& device_name) {
    ordered_json actions = ordered_json::array();
    std::lock_guard lock(counts_mutex_);
    for (const auto& [key, count] : counts_) {
      const auto& [scene, item, action] = key;
      actions.push_back({{"scene", scene}, {"item", item}, {"action", action}, {"count", count}});
    }
    return {{"event", "summary"}, {"device", device_}, {"name", device_name}, {"actions", actions}};
  }

 private:
  IRunEventSink& lines_;
  const size_t device_;
  std::atomic<bool> connected_{false};
  std::mutex counts_mutex_;
  std::map<std::tuple<std::string, std::string, std::string>, int64_t> counts_;
};

// One device as the program's pane runs it, without the pane. Nothing connects yet.
struct DeviceRun {
  DeviceRun(DeviceInfo& device, size_t index, EventPrinter& printer, WatchdogSettings watchdog)
      : lines(printer), events(lines, index), event_lines(lines, index), name(ToUtf8(device.Name)), pane(&device) {
    pane.SetIndex(static_cast<uint32_t>(index));
    DeviceSession& session = pane.Session();
    pane.SetRunner(std::make_unique<AutoRunner>(session, session, session));
    pane.SetRunObserver(&observers);
    pane.SetWatchdogDefaults([watchdog] { return watchdog; });
    pane.Start();
    session.AttachConsumer(ConsumerRole::Thumbnail, &events);
  }
  ~DeviceRun() { pane.Session().DetachConsumer(&events); }

  // The run's log in `lines`, named by the device's index; false, with `error`, when the folder
  // cannot be created or written.
  bool OpenLog(const RunLogPlace& place, std::string& error) {
    DeviceSession& session = pane.Session();
    std::unique_ptr<RunLogWriter> log = RunLogWriter::Open(place, [&session] { return session.CurrentFrame(); }, error);
    if (!log) return false;
    lines.SetLog(std::move(log));
    return true;
  }

  // Declared first: the log takes the last line, the summary, after the pane has stopped.
  DeviceLines lines;
  DeviceEvents events;
  RunEventLines event_lines;
  RunObserverFanOut observers{{&event_lines, &events}};
  const std::string name;
  PaneController pane;
};

// Milliseconds of a watchdog option's seconds, 0 (off) up to a day; nullopt when not a number.
std::optional<int64_t> WatchdogMs(const std::string& value) {
  double seconds = -1;
  const char* end = value.data() + value.size();
  const auto r = std::from_chars(value.data(), end, seconds);
  if (value.empty() || r.ptr != end || !(seconds >= 0 && seconds <= kMaxSeconds)) return std::nullopt;
  return static_cast<int64_t>(seconds * 1000);
}

std::optional<RunOptions> Parse(const Args& args, std::string& error) {
  RunOptions o;
  for (size_t i = 0; i < args.size() && error.empty(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) {
      error = "missing value after " + a;
      break;
    }
    const std::string& v = args[++i];
    const char* end = v.data() + v.size();
    if (a == "--config") {
      o.config = v;
    } else if (a == "--device") {
      size_t device = 0;
      if (v.empty() || std::from_chars(v.data(), end, device).ptr != end) error = "--device takes a device index (0 is the first)";
      // A device named twice still gets one client: two would connect to it side by side.
      if (std::find(o.devices.begin(), o.devices.end(), device) == o.devices.end()) o.devices.push_back(device);
    } else if (a == "--seconds") {
      double seconds = 0;
      const auto r = std::from_chars(v.data(), end, seconds);
      if (v.empty() || r.ptr != end || !(seconds > 0 && seconds <= kMaxSeconds)) error = "--seconds takes 0 < S <= 86400";
      o.seconds = seconds;
    } else if (a == "--no-signal-seconds" || a == "--stall-seconds") {
      const std::optional<int64_t> ms = WatchdogMs(v);
      if (!ms) error = a + " takes 0 <= S <= 86400 (0: off)";
      (a == "--stall-seconds" ? o.watchdog.stall_ms : o.watchdog.no_signal_ms) = ms.value_or(0);
    } else if (a == "--log") {
      o.log_folder = v;
      if (v.empty()) error = "--log takes a folder";
    } else if (a == "--log-max-mb") {
      double mb = 0;
      const auto r = std::from_chars(v.data(), end, mb);
      const double bytes = mb * kBytesPerMb;
      if (v.empty() || r.ptr != end || !(bytes >= kMinRunLogCapBytes && bytes <= kMaxRunLogCapBytes)) {
        error = "--log-max-mb takes megabytes from 0.015625 (16 KB) to 1048576 (1 TB)";
      }
      o.log_cap_bytes = static_cast<uint64_t>(bytes);
    } else {
      error = "unknown option '" + a + "'";
    }
  }
  if (!error.empty()) return std::nullopt;
  if (o.config.empty()) {
    const std::string program = ProgramFilePath();
    o.config = program.substr(0, program.find_last_of('/') + 1) + "config.ini";
  }
  return o;
}

// The runner runs an App whose file is missing, foreign or damaged with what it could read (the
// program's rule); the operator learns why here, before the App starts.
void ReportAppLoadFailures(const DeviceInfo& device, size_t index, IRunEventSink& lines) {
  for (const std::u16string& name : device.Apps) {
    if (name.empty()) continue;  // the runner reads no file for it: the App runs with defaults
    AppInfo app;
    const LoadResult read = app.Load(name);
    if (read.Whole()) continue;
    lines.Write(AppLoadFailedLine(index, name, read.Reason()));
  }
}

void WaitForEnd(const std::optional<double>& seconds) {
  const int64_t end_ns = seconds ? MonotonicNs() + static_cast<int64_t>(*seconds * 1e9) : INT64_MAX;
  while (!g_interrupted.load() && MonotonicNs() < end_ns) SleepMs(kPollIntervalMs);
}

int Run(const Args& args) {
  std::string error;
  const auto options = Parse(args, error);
  if (!options) return UsageError(error);
  DeviceList devices;
  const LoadResult read = LoadDeviceList(WidePath(options->config), devices);
  if (!read) return Fail("cannot load device list '" + options->config + "': " + read.Reason());
  ReportPartialRead(options->config, read);  // the devices read whole still run, as in the program
  std::vector<size_t> chosen = options->devices;
  if (chosen.empty()) {
    for (size_t i = 0; i < devices.size(); ++i) chosen.push_back(i);
  }
  for (size_t index : chosen) {
    if (index >= devices.size()) return Fail("no device " + std::to_string(index) + " in the list");
  }
  // The folder of the config file stands for the program's folder: its Apps and Scenes are used.
  // Made absolute first: a bare "config.ini" names a file in the current folder.
  std::error_code ec;
  const std::filesystem::path config = std::filesystem::absolute(options->config, ec);
  if (ec) return Fail("cannot resolve '" + options->config + "': " + ec.message());
  AppConfig::Instance().SetFolders(WidePath(config.string()));

  g_interrupted.store(false);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  EventPrinter printer;
  std::vector<std::unique_ptr<DeviceRun>> runs;
  for (size_t index : chosen) {
    auto& run = runs.emplace_back(std::make_unique<DeviceRun>(*devices[index], index, printer, options->watchdog));
    // Every device's log is open before the first connects: a folder that cannot take them
    // ends the command before any device is touched.
    if (!options->log_folder.empty() && !run->OpenLog({options->log_folder, index, options->log_cap_bytes}, error)) {
      return Fail(error);
    }
  }
  for (auto& run : runs) {
    ReportAppLoadFailures(*run->pane.Session().Device(), run->pane.Index(), run->lines);
    run->pane.Execute(PaneCommand::ToggleConnection);  // as the connect timer presses it
    run->pane.Execute(PaneCommand::ToggleAutomation);  // the start button
  }
  WaitForEnd(options->seconds);
  for (auto& run : runs) {
    run->pane.Execute(PaneCommand::ToggleAutomation);  // stop: every worker ends here
    run->pane.Execute(PaneCommand::ToggleConnection);  // disconnect
    run->lines.Write(run->events.Summary(run->name));
  }
  runs.clear();
  printer.Print({{"event", "stopped"}, {"interrupted", g_interrupted.load()}});
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  return 0;
}

const CliCommandRegistrar registrar(
    {"run",
     "  run [--config PATH] [--device N]... [--seconds S] [--no-signal-seconds S] [--stall-seconds S]\n"
     "      [--log DIR] [--log-max-mb M]\n"
     "                       run the Apps of devices N (default all) of a config.ini (default: the\n"
     "                       one beside the program; its folder's Apps and Scenes are used) as the\n"
     "                       start button does, for S seconds or until interrupted; prints one JSON\n"
     "                       line per event (app_load_failed, connected, scene_load_failed, scene_loaded,\n"
     "                       item_evaluated, match, action_sent, scene_changed, app_idle, paused, resumed,\n"
     "                       stalled, summary, stopped). item_evaluated has best_score, best_left and\n"
     "                       best_top: the best position the analysis saw, also when it stayed below\n"
     "                       the threshold (score is 0 then). A device's Apps pause without a picture for\n"
     "                       --no-signal-seconds (default 10) or with pictures not of its record's size,\n"
     "                       and go on when they are back; an App that finds nothing on its Scene for\n"
     "                       --stall-seconds (default 0: never) is reported stalled. 0 turns either off.\n"
     "                       --log DIR also writes each device's lines, with their \"time\", to\n"
     "                       DIR/device-NNN-START.jsonl, and a JPEG of its screen at stalled, paused,\n"
     "                       scene_load_failed and each Item's first match (named in the line's\n"
     "                       \"picture\"); a run's log stays under M megabytes (default 256): the\n"
     "                       oldest pictures go first, and \"log_full\" ends a log whose lines fill it.",
     Run});

}  // namespace
}  // namespace zor::cli
