#pragma once
// Runs one of the project's programs as a child process and collects what it wrote, for tests
// of the command-line tools. No shell is involved: arguments go to the program as they are.
#include <string>
#include <vector>

namespace zor::test {

struct ProgramOutput {
  int exit_code = -1;  // -1 when the program could not be started or did not exit normally
  std::string out;     // standard output
  std::string err;     // standard error
};

// Runs `program` with `args` and waits for it to end.
ProgramOutput RunProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace zor::test
