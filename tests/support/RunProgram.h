#pragma once
// Runs one of the project's programs to completion for a test: standard input from a text,
// standard output and error captured. Files in a private temporary folder carry the streams,
// so a program that writes a lot can never block on a full pipe.
#include <string>
#include <vector>

namespace zor::test {

struct ProgramResult {
  int exit_code = -1;  // -1 when the program could not be started or was killed by a signal
  std::string out;
  std::string err;
};

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = "");

}  // namespace zor::test
