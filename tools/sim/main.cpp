// zorkvm-sim: simulated KVM devices on loopback, for tests, demos and operators without hardware.
#include <csignal>
#include <iostream>
#include <memory>
#include <vector>

#include "platform/ProgramVersion.h"
#include "sim/SimScreen.h"
#include "SimMessageLog.h"
#include "SimOptions.h"
#include "SoftKvmServer.h"
#include "TesselServer.h"

namespace zor::sim {
namespace {

struct SimDevice {
  std::unique_ptr<SimScreen> screen;
  std::unique_ptr<ISimServer> server;
};

// Hardware devices all take input on port 80, so each gets an address of its own.
std::string DeviceAddress(const SimOptions& o, int index) {
  return o.type == SimDeviceType::Tessel ? NextLoopbackAddress(o.address, index) : o.address;
}

// A server of type Server listening with `config`, or null with `error` set.
template <typename Server, typename Config>
std::unique_ptr<ISimServer> Listen(const Config& config, SimScreen& screen, SimMessageLog& log, std::string& error) {
  auto server = std::make_unique<Server>(config, screen, log);
  if (server->Listening()) return server;
  error = server->Error();
  return nullptr;
}

// The server of one device, or null with `error` set.
std::unique_ptr<ISimServer> StartServer(const SimOptions& o, int index, SimScreen& screen, SimMessageLog& log,
                                        std::string& error) {
  const uint16_t port = o.port == 0 ? 0 : static_cast<uint16_t>(o.port + index);
  switch (o.type) {
    case SimDeviceType::SoftKvm:
      return Listen<SoftKvmServer>(SoftKvmServerConfig{o.address, port, index, o.max_fps, FaultOf(o, index)}, screen, log, error);
    case SimDeviceType::Tessel:
      return Listen<TesselServer>(
          TesselServerConfig{DeviceAddress(o, index), port, 80, index, o.max_fps, o.parts_per_stream, FaultOf(o, index)}, screen, log, error);
  }
  return nullptr;
}

const char* TypeName(SimDeviceType type) {
  switch (type) {
    case SimDeviceType::SoftKvm: return "softkvm";
    case SimDeviceType::Tessel: return "tessel";
  }
  return "?";
}

int Run(const SimOptions& o) {
  SimMessageLog log(o.log_path);
  if (!log.Ok()) {
    std::cerr << "zorkvm-sim: cannot open log file " << o.log_path << "\n";
    return 1;
  }
  // Signals are taken by sigwait below, not by handlers, so that shutdown runs on this thread.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  std::vector<SimDevice> devices;
  for (int i = 0; i < o.devices; ++i) {
    SimDevice d;
    d.screen = std::make_unique<SimScreen>(o.width, o.height);
    std::string error;
    d.server = StartServer(o, i, *d.screen, log, error);
    if (!d.server) {
      std::cerr << "zorkvm-sim: device " << i << ": cannot listen on " << o.address << ": " << error << "\n";
      return 1;
    }
    std::cerr << "zorkvm-sim: device " << i << " (" << TypeName(o.type) << ") listening on " << DeviceAddress(o, i) << ":"
              << d.server->Port() << std::endl;
    devices.push_back(std::move(d));
  }
  // Whoever started us with port 0 reads the ports above and waits for this line.
  std::cerr << "zorkvm-sim: ready" << std::endl;
  int signal = 0;
  sigwait(&signals, &signal);
  devices.clear();  // servers first, while their screens and the log still exist
  return 0;
}

}  // namespace
}  // namespace zor::sim

int main(int argc, char** argv) {
  using namespace zor::sim;
  std::string error;
  const auto options = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "zorkvm-sim: " << error << "\n" << SimUsage();
    return 2;
  }
  if (options->help) {
    std::cout << SimUsage();
    return 0;
  }
  if (options->version) {
    std::cout << "zorkvm-sim " << zor::kProgramVersion << "\n";
    return 0;
  }
  if (options->print_layout) {
    std::cout << zor::ToJson(zor::MakeSimLayout(options->width, options->height)).dump() << "\n";
    return 0;
  }
  return Run(*options);
}
