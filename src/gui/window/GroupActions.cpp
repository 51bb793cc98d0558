#include "gui/window/GroupActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace zor {
namespace {

struct GroupItem {
  GroupAction action;
  const char* on_selected;
  const char* on_all;
  // Ctrl with Shift, beside the single-pane Ctrl+F, M, N and Q, so none of them is taken.
  Qt::Key key;
};

constexpr std::array<GroupItem, 4> kGroupItems = {{
    {GroupAction::Start, QT_TRANSLATE_NOOP("GroupActions", "Start automation on the selected panes"),
     QT_TRANSLATE_NOOP("GroupActions", "Start automation on all panes"), Qt::Key_S},
    {GroupAction::Pause, QT_TRANSLATE_NOOP("GroupActions", "Pause automation on the selected panes"),
     QT_TRANSLATE_NOOP("GroupActions", "Pause automation on all panes"), Qt::Key_P},
    {GroupAction::Resume, QT_TRANSLATE_NOOP("GroupActions", "Resume automation on the selected panes"),
     QT_TRANSLATE_NOOP("GroupActions", "Resume automation on all panes"), Qt::Key_R},
    {GroupAction::Stop, QT_TRANSLATE_NOOP("GroupActions", "Stop automation on the selected panes"),
     QT_TRANSLATE_NOOP("GroupActions", "Stop automation on all panes"), Qt::Key_X},
}};

}  // namespace

GroupActions::GroupActions(QWidget& host, std::function<void(GroupAction)> run) : QObject(&host) {
  for (size_t i = 0; i < kGroupItems.size(); ++i) {
    const GroupItem& item = kGroupItems[i];
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | item.key));
    action->setShortcutContext(Qt::WindowShortcut);
    // The menu shows the shortcut beside the text; the text alone would hide it.
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this, [run, which = item.action] { run(which); });
    host.addAction(action);  // the shortcut needs a widget of the window to listen on
    actions_[i] = action;
  }
  Retitle(false);
}

void GroupActions::Retitle(bool has_selection) {
  for (size_t i = 0; i < kGroupItems.size(); ++i) {
    const char* text = has_selection ? kGroupItems[i].on_selected : kGroupItems[i].on_all;
    actions_[i]->setText(QCoreApplication::translate("GroupActions", text));
    actions_[i]->setToolTip(actions_[i]->text() + " (" +
                            actions_[i]->shortcut().toString(QKeySequence::NativeText) + ")");
  }
}

void GroupActions::AddTo(QMenu& menu) const {
  for (QAction* action : actions_) menu.addAction(action);
}

}  // namespace zor
