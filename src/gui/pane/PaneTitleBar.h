#pragma once
// The pane's title bar: the device's Apps as equal tabs, or "No AppFiles" when it has none.
// A click on a tab sends 10000 + tab index to the main window. GUI thread only.
#include <QWidget>

#include "model/DeviceInfo.h"
#include "presentation/CommandTarget.h"

namespace zor {

class PaneTitleBar : public QWidget {
  Q_OBJECT
 public:
  // At (0, 0) in `pane`, the pane's width x 36; `device` is not owned and must outlive the bar.
  PaneTitleBar(QWidget* pane, const DeviceInfo* device, ICommandTarget* main_window);

  // The pane gives the bar its (possibly changed) record when it rebuilds its driver.
  void SetDevice(const DeviceInfo* device);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The tooltip names the device: name, type and address.
  void UpdateToolTip();

  const DeviceInfo* device_ = nullptr;
  ICommandTarget* main_window_ = nullptr;
};

}  // namespace zor
