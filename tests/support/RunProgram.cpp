#include "support/RunProgram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/TempDir.h"

namespace zor::test {
namespace {

// In the child: point file descriptor `target` at `path`, or leave at once.
void Redirect(const std::string& path, int flags, int target) {
  const int fd = ::open(path.c_str(), flags, 0600);
  if (fd < 0 || ::dup2(fd, target) < 0) ::_exit(127);
  ::close(fd);
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input) {
  const TempDir dir;
  if (dir.Path().empty()) return {};
  const std::string in_path = dir.File("in"), out_path = dir.File("out"), err_path = dir.File("err");
  WriteFile(in_path, input);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  ProgramResult result;
  const pid_t pid = ::fork();
  if (pid == 0) {
    Redirect(in_path, O_RDONLY, STDIN_FILENO);
    Redirect(out_path, O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
    Redirect(err_path, O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  if (pid > 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    result.out = ReadFile(out_path);
    result.err = ReadFile(err_path);
  }
  return result;
}

}  // namespace zor::test
