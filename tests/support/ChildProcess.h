#pragma once
// A program run by a test: started with posix_spawn, its output going to files, and ended
// (SIGTERM, then SIGKILL after a grace period) when the object goes away, so no test leaves a
// process behind even when an assertion fails half-way.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace zor::test {

class ChildProcess {
 public:
  // Starts `program` with `args`; standard output and error are appended to the given files
  // ("" keeps the test's own). Check Started().
  ChildProcess(const std::string& program, const std::vector<std::string>& args, const std::string& stdout_path = "",
               const std::string& stderr_path = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // The exit code once the program has ended within `timeout_ms` (128 + signal when killed),
  // nullopt while it still runs.
  std::optional<int> Wait(int timeout_ms);
  // SIGTERM, up to two seconds to end, then SIGKILL; returns the exit code.
  int Stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

}  // namespace zor::test
