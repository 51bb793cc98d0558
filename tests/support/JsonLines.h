#pragma once
// The JSON lines that the project's programs print (run events, simulator logs), one value per
// line; a line that is not JSON (one still being written, say) gives a discarded value.
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace zor::test {

inline std::vector<nlohmann::json> JsonLines(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(nlohmann::json::parse(line, nullptr, false));
  return lines;
}

}  // namespace zor::test
