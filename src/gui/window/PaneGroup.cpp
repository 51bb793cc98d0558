// The clients container's group selection and group actions (the rest of the container is in
// PaneContainer.cpp). GUI thread only.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>

#include "gui/pane/DevicePane.h"
#include "gui/window/GroupActions.h"
#include "gui/window/PaneContainer.h"

namespace zor {
namespace {

// A press and release closer than this (in pixels, either way) is a click, not a rubber band:
// a hand that clicks moves a little.
constexpr int kBandMinSpan = 4;

}  // namespace

void PaneContainer::RunGroupAction(GroupAction action) {
  for (size_t index : GroupTargets(selection_.Indexes(), panes_.size())) {
    DevicePane& pane = *panes_[index];
    if (pane.Controller() == nullptr) continue;
    ApplyGroupAction(*pane.Controller(), action);
    pane.SyncFromController();
  }
}

void PaneContainer::ToggleGroupSelection(const DevicePane& pane) {
  selection_.Toggle(pane.Index());
  ShowSelection();
}

void PaneContainer::ShowSelection() {
  for (size_t i = 0; i < panes_.size(); ++i) panes_[i]->SetGroupSelected(selection_.Contains(i));
  group_actions_->Retitle(!selection_.Empty());
}

void PaneContainer::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  group_actions_->AddTo(menu);
  menu.exec(event->globalPos());
}

void PaneContainer::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  band_origin_ = event->position().toPoint();
  band_->setGeometry(QRect(*band_origin_, QSize()));
}

void PaneContainer::mouseMoveEvent(QMouseEvent* event) {
  if (!band_origin_) return;
  band_->setGeometry(QRect(*band_origin_, event->position().toPoint()).normalized());
  if (!band_->isVisible()) {
    band_->show();
    band_->raise();  // over the panes it crosses
  }
}

void PaneContainer::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !band_origin_) return;
  const QRect band = QRect(*band_origin_, event->position().toPoint()).normalized();
  band_origin_.reset();
  band_->hide();
  const bool add = event->modifiers().testFlag(Qt::ControlModifier);
  if (band.width() < kBandMinSpan && band.height() < kBandMinSpan) {
    if (!add) selection_.Clear();
  } else {
    std::vector<size_t> touched;
    for (size_t i = 0; i < panes_.size(); ++i) {
      if (panes_[i]->geometry().intersects(band)) touched.push_back(i);
    }
    selection_.Pick(touched, add);
  }
  ShowSelection();
}

}  // namespace zor
