#pragma once
// The clients container below the top frame: owns the device list and one pane per device
// (both in the same order), loads "config.ini" on its first non-empty size, lays the panes out
// in tiles, scrolls them vertically, and carries out add, edit and delete, saving "config.ini"
// after every change. It also keeps the panes picked for group actions and carries those out
// (PaneGroup.cpp). GUI thread only.
#include <QPoint>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "model/DeviceListFile.h"
#include "presentation/GroupControl.h"
#include "presentation/PaneSelection.h"
#include "presentation/TileLayout.h"

class QRubberBand;
class QScrollBar;

namespace zor {

class ICommandTarget;
class DevicePane;
class GroupActions;

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
  // Tells each thumbnail whether it is in sight: inside the container's area, in a window that
  // is not minimised. Called after every move of the panes and when the window's state changes.
  void UpdatePanesInSight();

  // The panes picked for group actions (Ctrl-click, rubber band on the empty space).
  const PaneSelection& Selection() const { return selection_; }
  // Start, pause, resume or stop on the selected panes, else on every pane; each pane is given
  // only what it needs to get there.
  void RunGroupAction(GroupAction action);
  // The context menu's actions, with their shortcuts.
  GroupActions& Group() const { return *group_actions_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // A drag on the empty space between the panes draws a rubber band; a plain click there
  // clears the selection.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void LoadDevices();
  std::unique_ptr<DevicePane> CreatePane(DeviceInfo& device);
  void LayoutClients();
  void MovePanesToScrollPosition();
  bool SaveDevices();
  void ToggleGroupSelection(const DevicePane& pane);
  // The selection changed: frames and action texts follow it.
  void ShowSelection();

  ICommandTarget* main_window_ = nullptr;
  QScrollBar* scroll_bar_ = nullptr;
  DeviceList devices_;
  // Children of this widget, one per record of devices_ and in its order. Declared after
  // devices_, so the panes go before the records they point to.
  std::vector<std::unique_ptr<DevicePane>> panes_;
  TileLayout layout_;
  PaneSelection selection_;
  GroupActions* group_actions_ = nullptr;  // a child QObject
  QRubberBand* band_ = nullptr;
  std::optional<QPoint> band_origin_;  // where the drag began, while one lasts
  int32_t content_height_ = 0;
  bool devices_loaded_ = false;
  // "config.ini" existed but could not be read as a device list: it is kept aside as
  // "config.ini.bak" before the first save writes a new list over it.
  bool keep_unreadable_config_ = false;
};

}  // namespace zor
