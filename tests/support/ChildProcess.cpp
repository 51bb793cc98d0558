#include "support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace zor::test {
namespace {

constexpr int kStopGraceMs = 2000;
constexpr auto kPollInterval = std::chrono::milliseconds(10);

void RedirectTo(posix_spawn_file_actions_t& actions, int fd, const std::string& path) {
  if (!path.empty()) posix_spawn_file_actions_addopen(&actions, fd, path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& stdout_path, const std::string& stderr_path) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  RedirectTo(actions, 1, stdout_path);
  RedirectTo(actions, 2, stderr_path);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) pid_ = pid;
  posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() { Stop(); }

std::optional<int> ChildProcess::Wait(int timeout_ms) {
  if (exit_code_ || pid_ <= 0) return exit_code_;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return exit_code_;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

int ChildProcess::Stop() {
  if (pid_ <= 0) return -1;
  if (!Wait(0)) {
    kill(pid_, SIGTERM);
    if (!Wait(kStopGraceMs)) {
      kill(pid_, SIGKILL);
      Wait(kStopGraceMs);
    }
  }
  return exit_code_.value_or(-1);
}

}  // namespace zor::test
