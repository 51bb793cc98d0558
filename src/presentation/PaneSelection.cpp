#include "presentation/PaneSelection.h"

namespace zor {

void PaneSelection::Toggle(size_t index) {
  if (picked_.erase(index) == 0) picked_.insert(index);
}

void PaneSelection::Pick(const std::vector<size_t>& indexes, bool add) {
  if (!add) picked_.clear();
  picked_.insert(indexes.begin(), indexes.end());
}

void PaneSelection::Removed(size_t index) {
  std::set<size_t> moved;
  for (size_t picked : picked_) {
    if (picked < index) moved.insert(picked);
    if (picked > index) moved.insert(picked - 1);
  }
  picked_ = std::move(moved);
}

}  // namespace zor
