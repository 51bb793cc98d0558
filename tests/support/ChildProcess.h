#pragma once
// A child process for tests: started with posix_spawn, killed and reaped on destruction, so a
// failing test never leaves a simulator or peer running.
#include <sys/types.h>

#include <string>
#include <vector>

namespace zor::test {

class ChildProcess {
 public:
  // argv[0] is the program path. Standard output and error go to the given files (appended),
  // or stay the test's own when empty.
  ChildProcess(std::vector<std::string> argv, std::string stdout_path = {}, std::string stderr_path = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  // True while the child has not exited (reaps it when it has).
  bool Running();
  // Sends `signal` and waits for the child to end; returns its wait status (-1 if none ran).
  int Stop(int signal);
  // Waits up to `timeout_ms` for the child to exit by itself; its exit code, or -1.
  int WaitExit(int timeout_ms);

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

}  // namespace zor::test
