#pragma once
// The panes the operator picked for group actions (Ctrl-click, rubber band), by their index in
// the device list. Apart from the focus, which marks the one pane that the single-pane shortcuts
// act on. GUI thread only.
#include <cstddef>
#include <set>
#include <vector>

namespace zor {

class PaneSelection {
 public:
  // Ctrl-click: in when it was out, out when it was in.
  void Toggle(size_t index);
  // A rubber band: exactly these; with `add` (Ctrl held) these join the ones already picked.
  void Pick(const std::vector<size_t>& indexes, bool add);
  void Clear() { picked_.clear(); }
  // The device at `index` was deleted: it leaves the selection, and the panes after it move up.
  void Removed(size_t index);

  bool Contains(size_t index) const { return picked_.count(index) != 0; }
  bool Empty() const { return picked_.empty(); }
  // In ascending order.
  std::vector<size_t> Indexes() const { return {picked_.begin(), picked_.end()}; }

 private:
  std::set<size_t> picked_;
};

}  // namespace zor
