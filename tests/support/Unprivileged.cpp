#include "support/Unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace zor::test {

int RunUnprivileged(int (*body)(void* context), void* context) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(126);
    ::_exit(body(context));
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zor::test
