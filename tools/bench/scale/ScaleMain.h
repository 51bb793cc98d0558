#pragma once
// `zorkvm-bench scale ...`: main.cpp hands over the words after "scale".
#include <string>
#include <vector>

namespace zor::bench {

// 0: every row measured; 1: some row failed (the others are written); 2: a bad command line.
int RunScaleMode(const std::vector<std::string>& args);

}  // namespace zor::bench
