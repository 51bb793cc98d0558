#include "RunProgram.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>

namespace zor::test {
namespace {

// Reads both pipes until both are closed, so a child that fills one of them never blocks.
void DrainPipes(int out_fd, int err_fd, ProgramOutput& output) {
  std::array<pollfd, 2> fds{{{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}}};
  std::string* sinks[2] = {&output.out, &output.err};
  int open_count = 2;
  char buffer[4096];
  while (open_count > 0) {
    if (poll(fds.data(), fds.size(), -1) < 0) break;
    for (size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, size_t(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

}  // namespace

ProgramOutput RunProgram(const std::string& program, const std::vector<std::string>& args) {
  ProgramOutput output;
  int out_pipe[2], err_pipe[2];
  if (pipe(out_pipe) != 0) return output;
  if (pipe(err_pipe) != 0) {
    close(out_pipe[0]), close(out_pipe[1]);
    return output;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out_pipe[1], STDOUT_FILENO);
    dup2(err_pipe[1], STDERR_FILENO);
    close(out_pipe[0]), close(out_pipe[1]), close(err_pipe[0]), close(err_pipe[1]);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out_pipe[1]), close(err_pipe[1]);
  if (pid < 0) {
    close(out_pipe[0]), close(err_pipe[0]);
    return output;
  }
  DrainPipes(out_pipe[0], err_pipe[0], output);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) output.exit_code = WEXITSTATUS(status);
  return output;
}

}  // namespace zor::test
