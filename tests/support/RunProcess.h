#pragma once
// Runs a program to completion with given standard input, capturing standard output and error.
#include <string>
#include <vector>

namespace zor::test {

struct ProcessResult {
  int exit_code = -1;  // -1 when it could not run or was killed by a signal
  std::string out;
  std::string err;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = {});

// Runs `body` in a forked child that has dropped root's privileges (to "nobody") when the test
// runs as root, so that file permissions apply; returns the child's exit code.
int RunUnprivileged(int (*body)(void* context), void* context);

}  // namespace zor::test
