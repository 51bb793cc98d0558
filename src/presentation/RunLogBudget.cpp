#include "presentation/RunLogBudget.h"

#include <utility>

namespace zor {

std::optional<std::string> RunLogBudget::RemoveOldestPicture() {
  if (pictures_.empty()) return std::nullopt;
  Picture oldest = std::move(pictures_.front());
  pictures_.pop_front();
  used_bytes_ -= oldest.bytes;
  return std::move(oldest.name);
}

void RunLogBudget::AddLine(uint64_t bytes) {
  line_bytes_ += bytes;
  used_bytes_ += bytes;
}

void RunLogBudget::AddPicture(std::string name, uint64_t bytes) {
  pictures_.push_back({std::move(name), bytes});
  used_bytes_ += bytes;
}

}  // namespace zor
