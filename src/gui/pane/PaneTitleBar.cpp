#include "gui/pane/PaneTitleBar.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "presentation/DeviceLabel.h"
#include "presentation/PaneGeometry.h"

namespace zor {
namespace {
const QColor kNoAppsColour(60, 60, 60);
const QColor kTabColour(80, 80, 80);
// The bar's own background, seen right of the last whole tab (the system window colour).
const QColor kBarBackground(255, 255, 255);
}  // namespace

PaneTitleBar::PaneTitleBar(QWidget* pane, const DeviceInfo* device, ICommandTarget* main_window)
    : QWidget(pane), device_(device), main_window_(main_window) {
  setGeometry(0, 0, pane->width(), kTitleBarHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(UiFont());
  UpdateToolTip();
}

void PaneTitleBar::SetDevice(const DeviceInfo* device) {
  device_ = device;
  UpdateToolTip();
  update();
}

void PaneTitleBar::UpdateToolTip() { setToolTip(device_ != nullptr ? ToQString(DeviceSummary(*device_)) : QString()); }

void PaneTitleBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::white);
  const size_t n = device_ != nullptr ? device_->Apps.size() : 0;
  if (n == 0) {
    painter.fillRect(rect(), kNoAppsColour);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, tr("No AppFiles"));
    return;
  }
  painter.fillRect(rect(), kBarBackground);
  const int tab = width() / static_cast<int>(n);
  for (size_t i = 0; i < n; ++i) {
    const QRect r(static_cast<int>(i) * tab, 0, tab, height());
    painter.fillRect(r, kTabColour);
    painter.setPen(Qt::white);
    painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, ToQString(device_->Apps[i]));
    painter.setPen(Qt::black);
    painter.drawLine(r.left(), 0, r.left(), height());
  }
}

void PaneTitleBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || device_ == nullptr || main_window_ == nullptr) return;
  const int index = TitleTabAt(static_cast<int32_t>(event->position().x()), width(), device_->Apps.size());
  if (index >= 0) main_window_->OnCommand(kTitleTabCommandBase + index, 0, 0);
}

}  // namespace zor
