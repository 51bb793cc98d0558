#pragma once
// The size cap of one run's log: its lines and pictures together stay within the cap. Pictures
// give way to lines, the oldest picture first; the lines are the record of the run and are
// never taken back. The run log's writer thread only.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace zor {

class RunLogBudget {
 public:
  explicit RunLogBudget(uint64_t cap_bytes) : cap_bytes_(cap_bytes) {}

  // `bytes` more fit beside what is written now.
  bool Fits(uint64_t bytes) const { return used_bytes_ + bytes <= cap_bytes_; }
  // `bytes` more would fit once every picture is removed.
  bool FitsWithoutPictures(uint64_t bytes) const { return line_bytes_ + bytes <= cap_bytes_; }
  // Forgets the oldest picture and gives its name, for the caller to delete; nullopt when none
  // is left.
  std::optional<std::string> RemoveOldestPicture();

  void AddLine(uint64_t bytes);
  void AddPicture(std::string name, uint64_t bytes);
  uint64_t UsedBytes() const { return used_bytes_; }

 private:
  struct Picture {
    std::string name;
    uint64_t bytes = 0;
  };
  const uint64_t cap_bytes_;
  uint64_t used_bytes_ = 0;
  uint64_t line_bytes_ = 0;
  std::deque<Picture> pictures_;  // oldest first
};

}  // namespace zor
