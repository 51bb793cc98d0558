#pragma once
// The pane of one device in the clients container: title bar with the App tabs, the thumbnail,
// and six icon buttons (automation start/stop, pause/resume, connect/disconnect; delete, edit,
// scene editor). It owns the device's PaneController (and through it the session), shows their
// state and forwards the operator's gestures to it. GUI thread only, except PaneChanged.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "gui/widgets/CoalescedPost.h"
#include "presentation/CommandTarget.h"
#include "presentation/ConnectTimer.h"
#include "automation/RunObserver.h"
#include "presentation/AutoStart.h"
#include "presentation/PaneController.h"

namespace zor {

class PaneTitleBar;
class StatusStripFeed;
class ThumbnailView;
class StateIconButton;

class DevicePane : public QWidget, public ICommandTarget, public IConnectTimerPane, public IPaneView {
  Q_OBJECT
 public:
  // Builds the controller for `device` (owned by the container, must outlive the controller),
  // its runner and its driver; the pane starts Connecting. Title bar tabs send their commands
  // to `main_window`.
  DevicePane(QWidget* container, DeviceInfo& device, uint32_t index, ICommandTarget* main_window);
  // The controller goes first (its driver threads stop while thumbnail and pane still exist).
  ~DevicePane() override;

  uint32_t Index() const;
  void SetIndex(uint32_t index);

  // Rebuilds the driver from the (edited) record; the pane goes back to Connecting.
  void RecreateDriver();
  // Closes the device connection (shut-down calls it for every pane before deleting them).
  void DisconnectDriver();
  // Deletes the controller now (runner stopped, connection closed, threads joined) while the
  // widget may stay until its event handlers are over; the pane then shows nothing live and
  // ignores its buttons.
  void ReleaseController();

  // Null once the controller was released.
  PaneController* Controller() const { return controller_.get(); }
  DeviceSession* Session() const { return controller_ ? &controller_->Session() : nullptr; }
  StateIconButton* Button(int command_id) const;
  ThumbnailView* Thumb() const { return thumb_; }
  PaneTitleBar* Title() const { return title_; }
  // Whether the status strip's timer runs: only while the pane's automation does.
  bool StatusStripRunning() const;

  // Windows that later parts open for the pane; without one the request does nothing visible.
  void SetFullControlOpener(std::function<void(DevicePane&)> opener) { open_full_control_ = std::move(opener); }
  void SetSceneEditorOpener(std::function<void(DevicePane&)> opener) { open_scene_editor_ = std::move(opener); }

  // Buttons and the thumbnail send their commands here.
  void OnCommand(int id, int code, intptr_t arg) override;

  // ConnectTimer's view of the pane.
  bool IsConnecting() const override;
  int32_t ConnectWait() const override;
  void TickConnectWait() override;
  void GiveUpConnecting() override;
  void PressConnect() override;

  // IPaneView
  void PaneChanged() override;
  void ShowFullControl() override;
  void ShowSceneEditor() override;
  void PassToMainWindow(PaneCommand command) override;

  // Copies the controller's state into the widgets (GUI thread; PaneChanged schedules it), and
  // starts the Apps of an unattended station once the device shows a picture.
  void SyncFromController();

  // The pane is one of those the clients area's group actions reach; drawn with its own frame.
  void SetGroupSelected(bool selected);
  bool GroupSelected() const { return group_selected_; }

 signals:
  // Ctrl-click on the pane: it joins or leaves the group selection.
  void GroupSelectToggled();

  // The controller is about to be deleted: windows opened for it (full control, scene editor)
  // let go of it and its session now.
  void ControllerReleasing();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The title bar takes its own clicks (the App tabs): its Ctrl-click is taken here first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateButtons();
  // The lines under the thumbnail's state: why an Offline pane is offline and whether it tries
  // again, and a run that waits for the device.
  QString StateDetail() const;
  void StartAppsWhenDue();

  // Tells the pane when the watchdog holds or frees the runs (any thread; the sync is posted).
  class HoldObserver : public IRunObserver {
   public:
    explicit HoldObserver(DevicePane& pane) : pane_(pane) {}
    void OnHoldChanged(HoldReason) override { pane_.PaneChanged(); }

   private:
    DevicePane& pane_;
  };

  DeviceInfo& device_;
  HoldObserver hold_observer_{*this};  // outlives the runner, which the controller owns
  std::unique_ptr<PaneController> controller_;
  ICommandTarget* main_window_ = nullptr;  // receives the delete and edit buttons
  PaneTitleBar* title_ = nullptr;
  ThumbnailView* thumb_ = nullptr;
  StatusStripFeed* strip_feed_ = nullptr;  // a child of the pane
  std::array<StateIconButton*, kPaneButtonCount> buttons_{};  // ids 1201..1206
  CoalescedPost sync_;  // state changes from the driver's thread fold into one sync
  std::function<void(DevicePane&)> open_full_control_;
  std::function<void(DevicePane&)> open_scene_editor_;
  AutoStartLatch auto_start_;
  bool group_selected_ = false;
};

}  // namespace zor
