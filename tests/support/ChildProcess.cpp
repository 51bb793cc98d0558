#include "support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace zor::test {

ChildProcess::ChildProcess(std::vector<std::string> argv, std::string stdout_path, std::string stderr_path) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!stdout_path.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdout_path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  }
  if (!stderr_path.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderr_path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  }
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() { Stop(SIGKILL); }

bool ChildProcess::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    status_ = status;
    pid_ = -1;
    return false;
  }
  return true;
}

int ChildProcess::Stop(int signal) {
  if (pid_ > 0) {
    kill(pid_, signal);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    status_ = status;
    pid_ = -1;
  }
  return status_;
}

int ChildProcess::WaitExit(int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (Running()) return -1;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

}  // namespace zor::test
