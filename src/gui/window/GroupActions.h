#pragma once
// The clients area's group actions: start, pause, resume and stop automation on the selected
// panes, or on every pane when none is selected. One QAction each, with its shortcut, in the
// context menu of the clients area; their texts say which panes they reach. GUI thread only.
#include <QObject>
#include <functional>
#include <array>

#include "presentation/GroupControl.h"

class QAction;
class QMenu;
class QWidget;

namespace zor {

class GroupActions : public QObject {
  Q_OBJECT
 public:
  // The actions' shortcuts work anywhere in `host`'s window; a triggered action asks `run`.
  GroupActions(QWidget& host, std::function<void(GroupAction)> run);

  // The texts for a selection (true) or for every pane (false).
  void Retitle(bool has_selection);
  QAction* Action(GroupAction action) const { return actions_[static_cast<size_t>(action)]; }
  // Fills `menu` with the four actions, in the order start, pause, resume, stop.
  void AddTo(QMenu& menu) const;

 private:
  std::array<QAction*, 4> actions_{};  // children of this object, in GroupAction order
};

}  // namespace zor
