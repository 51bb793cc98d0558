#pragma once
// The clients container below the top frame: owns the device list and one pane per device
// (both in the same order), loads "config.ini" on its first non-empty size, lays the panes out
// in tiles, scrolls them vertically, and carries out add, edit and delete, saving "config.ini"
// after every change. GUI thread only.
#include <QWidget>
#include <memory>
#include <vector>

#include "model/DeviceListFile.h"
#include "presentation/TileLayout.h"

class QScrollBar;

namespace zor {

class ICommandTarget;
class DevicePane;

class PaneContainer : public QWidget {
  Q_OBJECT
 public:
  PaneContainer(QWidget* parent, ICommandTarget* main_window);
  ~PaneContainer() override;

  // The main window's commands.
  void AddDevice();             // 1101
  void EditDevice(int index);   // 1205
  void DeleteDevice(int index); // 1204

  // Shut-down: every pane's driver closes its connection, in list order.
  void DisconnectAll();

  const DeviceList& Devices() const { return devices_; }
  // The panes in device order; the container keeps owning them.
  std::vector<DevicePane*> Panes() const;
  // The pane the operator clicked last, while it keeps the focus; else the first; null without
  // panes.
  DevicePane* SelectedPane() const;
  int32_t ContentHeight() const { return content_height_; }
  QScrollBar* ScrollBar() const { return scroll_bar_; }
  // Width the tiles are laid out in: the container less the scroll bar when it shows.
  int LayoutWidth() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void LoadDevices();
  std::unique_ptr<DevicePane> CreatePane(DeviceInfo& device);
  void LayoutClients();
  void MovePanesToScrollPosition();
  bool SaveDevices();

  ICommandTarget* main_window_ = nullptr;
  QScrollBar* scroll_bar_ = nullptr;
  DeviceList devices_;
  // Children of this widget, one per record of devices_ and in its order. Declared after
  // devices_, so the panes go before the records they point to.
  std::vector<std::unique_ptr<DevicePane>> panes_;
  TileLayout layout_;
  int32_t content_height_ = 0;
  bool devices_loaded_ = false;
  // "config.ini" existed but could not be read as a device list: it is kept aside as
  // "config.ini.bak" before the first save writes a new list over it.
  bool keep_unreadable_config_ = false;
};

}  // namespace zor
