#pragma once
// zorkvm-sim as a child process of a test: started on a chosen 127.0.0.x address, on a port it
// picks itself and reports (or a chosen one), ready once it listens, killed and reaped when the
// object goes.
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace zor::test {

// A port that nothing listens on at `address` right now (the system's pick for port 0). Another
// process may take it before it is used: only for a port that must refuse connections.
uint16_t PickFreePort(const std::string& address);
// True once a TCP connection to address:port succeeds, false after `timeout_ms`.
bool WaitForListening(const std::string& address, uint16_t port, int timeout_ms);

struct SimProcessOptions {
  std::string address = "127.0.0.1";
  uint16_t port = 0;                    // 0: the simulator picks one; restarts keep it
  std::vector<std::string> extra_args;  // e.g. {"--size", "640x360", "--fps", "30"}
  std::string log_path;                 // the message log; empty: a file beside the test's temp files
};

class SimProcess {
 public:
  explicit SimProcess(SimProcessOptions options);
  ~SimProcess();

  // Started and accepting connections.
  bool Ready() const { return ready_; }
  const std::string& Address() const { return options_.address; }
  // The first device's port, and every device's (several with --devices N).
  uint16_t Port() const { return options_.port; }
  const std::vector<uint16_t>& Ports() const { return ports_; }
  const std::string& LogPath() const { return options_.log_path; }

  // SIGKILL, as a crash or a power cut would end it.
  void Kill();
  // Starts it again on the same address and port; true once it accepts connections.
  bool Start();

  // What the simulator wrote to stderr: its ports, or why it could not start.
  std::string Messages() const;

  // Every line of the message log so far, and the "text" of each received text message.
  std::vector<nlohmann::json> LogLines() const;
  std::vector<std::string> ReceivedTexts() const;

 private:
  std::string StderrPath() const;

  SimProcessOptions options_;
  std::string own_log_dir_;
  std::unique_ptr<ChildProcess> process_;
  std::vector<uint16_t> ports_;
  bool ready_ = false;
};

}  // namespace zor::test
