// zorkvm-cli input --config PATH --device N ACTION...: sends mouse and keyboard input to one
// device of a "config.ini" through its driver, as the program does, and exits once it is sent.
// An action that the device's type cannot perform (text on the software agent, say) fails the
// whole command before anything is sent: the agent would take it and do nothing.
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>

#include "CliCommand.h"
#include "device/DriverFactory.h"
#include "device/TesselLiteDriver.h"
#include "model/AppConfig.h"
#include "model/DeviceListFile.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/ProgramPath.h"

namespace zor::cli {
namespace {

// How long the device may take to open its input channel (a connection on the local network).
constexpr int kOpenTimeoutMs = 10000;
// The click of the automation: move, press, release, with the waits the remote side needs to
// see the pointer arrive before the button.
constexpr int kClickMoveWaitMs = 30;
constexpr int kClickHoldMs = 30;
constexpr int kClickReleaseWaitMs = 10;

// An action returns when its driver calls are made; a timed sequence (text, key combination)
// is then still being sent, and its completion tells when it is over.
struct Action {
  std::function<InputCompletion(DeviceDriver&)> send;
  std::optional<TimedInput> sequence;  // the timed sequence it sends, which a device may lack
};

// The owner of a driver that only sends input: frames are counted, not kept.
class InputOwner : public IDriverOwner {
 public:
  explicit InputOwner(const DeviceInfo& device) : device_(device) {}
  const DeviceInfo* Device() const override { return &device_; }
  void OnFrame(FramePtr) override {
    std::lock_guard lock(mutex_);
    got_frame_ = true;
    frame_arrived_.notify_all();
  }
  bool WaitForFrame(int timeout_ms) {
    std::unique_lock lock(mutex_);
    return frame_arrived_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [this] { return got_frame_; });
  }

 private:
  const DeviceInfo& device_;
  std::mutex mutex_;
  std::condition_variable frame_arrived_;
  bool got_frame_ = false;
};

std::optional<long> ParseNumber(const std::string& text, long low, long high) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 0);  // decimal, or hexadecimal with 0x
  if (text.empty() || *end != '\0' || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<int32_t> ParseCoordinate(const std::string& text) {
  const auto value = ParseNumber(text, INT32_MIN, INT32_MAX);
  return value ? std::optional<int32_t>(static_cast<int32_t>(*value)) : std::nullopt;
}

bool Reject(std::string& error, std::string message) {
  error = std::move(message);
  return false;
}

// Reads the actions from args[start...]; false with `error` set for an unknown or incomplete one.
bool ParseActions(const Args& args, size_t start, std::vector<Action>& actions, std::string& error) {
  for (size_t i = start; i < args.size();) {
    const std::string& verb = args[i];
    const auto arg = [&](size_t k) -> const std::string* { return i + k < args.size() ? &args[i + k] : nullptr; };
    if (verb == "move" && arg(2)) {
      const auto x = ParseCoordinate(*arg(1));
      const auto y = ParseCoordinate(*arg(2));
      if (!x || !y) return Reject(error, "move takes two whole numbers");
      actions.push_back({[x, y](DeviceDriver& d) {
        d.MouseMove(*x, *y);
        return InputCompletion();
      }, std::nullopt});
      i += 3;
    } else if (verb == "click" && arg(3) && (*arg(1) == "left" || *arg(1) == "right")) {
      const PointerButton button = *arg(1) == "left" ? PointerButton::Left : PointerButton::Right;
      const auto x = ParseCoordinate(*arg(2));
      const auto y = ParseCoordinate(*arg(3));
      if (!x || !y) return Reject(error, "click takes left|right and two whole numbers");
      actions.push_back({[button, x, y](DeviceDriver& d) {
        d.MouseMove(*x, *y);
        SleepMs(kClickMoveWaitMs);
        d.MouseButton(button, true);
        SleepMs(kClickHoldMs);
        d.MouseButton(button, false);
        SleepMs(kClickReleaseWaitMs);
        return InputCompletion();
      }, std::nullopt});
      i += 4;
    } else if (verb == "wheel" && arg(1) && (*arg(1) == "up" || *arg(1) == "down")) {
      // The full control window's convention: one notch, negative toward the user.
      const bool down = *arg(1) == "down";
      actions.push_back({[down](DeviceDriver& d) {
        d.MouseWheel(down, down ? -120 : 120);
        return InputCompletion();
      }, std::nullopt});
      i += 2;
    } else if (verb == "key" && arg(2)) {
      const auto usage = ParseNumber(*arg(1), 0, 255);
      const auto modifiers = ParseNumber(*arg(2), 0, 255);
      if (!usage || !modifiers) return Reject(error, "key takes a usage and a modifier byte (0..255)");
      actions.push_back({[usage, modifiers](DeviceDriver& d) {
                           return d.KeyCombo(static_cast<uint8_t>(*modifiers), static_cast<uint8_t>(*usage));
                         },
                         TimedInput::KeyCombo});
      i += 3;
    } else if (verb == "type" && arg(1)) {
      const std::u16string text = FromUtf8(*arg(1));
      actions.push_back({[text](DeviceDriver& d) { return d.TypeText(text); }, TimedInput::TypeText});
      i += 2;
    } else if (verb == "hangul") {
      actions.push_back({[](DeviceDriver& d) { return d.ToggleHangulMode(); }, TimedInput::ToggleHangulMode});
      i += 1;
    } else {
      return Reject(error, "unknown or incomplete action at '" + verb + "'");
    }
  }
  if (actions.empty()) return Reject(error, "no action given");
  return true;
}

// What the refusal says the device cannot do.
std::string Describe(TimedInput sequence) {
  switch (sequence) {
    case TimedInput::KeyCombo: return "press keys (key)";
    case TimedInput::TypeText: return "type text (type)";
    case TimedInput::ToggleHangulMode: return "switch between Korean and English (hangul)";
  }
  return "perform this input";
}

// Why the device cannot perform every action, naming its type; empty when it can.
std::string Unperformable(const std::vector<Action>& actions, const DeviceDriver& driver, const DeviceInfo& device) {
  for (const Action& action : actions) {
    if (!action.sequence || driver.CanPerform(*action.sequence)) continue;
    const DeviceTypeInfo* type = AppConfig::Instance().FindDeviceType(device.Type);
    const std::string label = type ? "a " + ToUtf8(type->label) + " device" : "a device";
    return "is " + label + " (type " + std::to_string(device.Type) + "), which cannot " + Describe(*action.sequence);
  }
  return {};
}

// Opens the driver's input channel and waits until input can flow: the hardware device's own
// WebSocket, or for the software agent its one socket, which is open once a picture came.
bool OpenInput(DeviceDriver& driver, InputOwner& owner) {
  if (auto* tessel = dynamic_cast<TesselLiteDriver*>(&driver)) {
    tessel->ConnectInput();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kOpenTimeoutMs);
    while (!tessel->InputChannelOpen()) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      SleepMs(10);
    }
    return true;
  }
  driver.Connect();
  return owner.WaitForFrame(kOpenTimeoutMs);
}

int Run(const Args& args) {
  if (args.size() < 5 || args[0] != "--config" || args[2] != "--device") {
    return UsageError("input takes --config PATH --device N ACTION...");
  }
  const auto index = ParseNumber(args[3], 0, INT32_MAX);
  if (!index) return UsageError("--device takes a device number from 0");
  std::vector<Action> actions;
  std::string error;
  if (!ParseActions(args, 4, actions, error)) return UsageError(error);

  DeviceList devices;
  if (const LoadResult read = LoadDeviceList(WidePath(args[1]), devices); !read) {
    return Fail("cannot load device list '" + args[1] + "': " + read.Reason());
  }
  if (static_cast<size_t>(*index) >= devices.size()) {
    return Fail("no device " + args[3] + " in '" + args[1] + "' (" + std::to_string(devices.size()) + " devices)");
  }
  const DeviceInfo& device = *devices[static_cast<size_t>(*index)];
  InputOwner owner(device);
  const auto driver = CreateDriver(device.Type, owner);
  if (!driver) return Fail("device " + args[3] + " has type " + std::to_string(device.Type) + ", which has no driver");
  if (const std::string why = Unperformable(actions, *driver, device); !why.empty()) {
    return Fail("device " + args[3] + " " + why + ": nothing was sent");
  }
  if (!OpenInput(*driver, owner)) {
    driver->Disconnect();
    return Fail("device " + args[3] + " at " + ToUtf8(device.ConnectIP) + " did not open its input channel");
  }
  for (const Action& action : actions) {
    // Disconnecting would drop what is still queued: each sequence is sent to its end first.
    if (action.send(*driver).Wait() == InputCompletion::Outcome::Refused) {
      driver->Disconnect();
      return Fail("the text is too long to type: at most " + std::to_string(TesselLiteDriver::kMaxTypedTextUnits) +
                  " UTF-16 units");
    }
  }
  // Closing sends what the socket still holds first.
  driver->Disconnect();
  return 0;
}

const CliCommandRegistrar registrar(
    {"input",
     "  input --config PATH --device N ACTION...\n"
     "                       send input to device N (from 0) of a config.ini through its driver; actions:\n"
     "                       move X Y | click left|right X Y | wheel up|down | key USAGE MODIFIERS |\n"
     "                       type TEXT | hangul; one that the device's type cannot perform (type, key and\n"
     "                       hangul on a software agent) fails the command, and nothing is sent",
     Run});

}  // namespace
}  // namespace zor::cli
