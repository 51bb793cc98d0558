#pragma once
// The simulator's record of what clients sent: one JSON object per line, written and flushed at
// once, so that tests and operators can follow it while the simulator runs. Thread-safe.
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace zor::sim {

class SimMessageLog {
 public:
  // "-" or an empty path writes to standard output.
  explicit SimMessageLog(const std::string& path);
  ~SimMessageLog();
  SimMessageLog(const SimMessageLog&) = delete;
  SimMessageLog& operator=(const SimMessageLog&) = delete;

  bool Ok() const { return out_ != nullptr; }
  // Milliseconds since the simulator started: the "time_ms" of every line.
  double ElapsedMs() const;

  // A message exactly as received: text under "text" (invalid UTF-8 replaced by U+FFFD, the
  // only change), binary as lower-case hex under "binary".
  void Message(int device, std::string_view channel, std::string_view peer, bool binary, std::string_view payload);
  // A message as the device understood it: `fields` are added to the line.
  void Decoded(int device, std::string_view channel, std::string_view peer, const nlohmann::ordered_json& fields);
  // A connection event ("open", "close") or a note about the simulator itself.
  void Event(int device, std::string_view channel, std::string_view peer, std::string_view event);

 private:
  void WriteLine(const std::string& line);

  std::mutex mutex_;
  FILE* out_ = nullptr;
  bool owns_file_ = false;
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace zor::sim
