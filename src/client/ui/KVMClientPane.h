#pragma once
// The pane of one device in the clients container: title bar with the App tabs, the thumbnail,
// and six icon buttons (automation start/stop, pause/resume, connect/disconnect; scene editor,
// edit, delete). The pane shows the client core's state and forwards the operator's intent to
// it. GUI thread only, except where noted.
#include <QWidget>
#include <array>
#include <cstdint>

#include "app/CommandTarget.h"
#include "app/ConnectTimer.h"
#include "shell/DeviceInfo.h"

namespace zor {

class ClientTitle;
class ThumbWnd;
class ZorBT;

// Command ids of the pane buttons.
namespace pane_command {
inline constexpr int kAutomation = 1201;
inline constexpr int kPause = 1202;
inline constexpr int kConnect = 1203;
inline constexpr int kDelete = 1204;
inline constexpr int kEdit = 1205;
inline constexpr int kSceneEditor = 1206;
}  // namespace pane_command

// Notification code with which a pane forwards delete and edit to the main window.
inline constexpr int kPaneForwardCode = 1500;

class KVMClientPane : public QWidget, public ICommandTarget, public IConnectTimerPane {
  Q_OBJECT
 public:
  // `device` is owned by the container and must outlive the pane.
  KVMClientPane(QWidget* container, DeviceInfo& device, uint32_t index, ICommandTarget* main_window);
  ~KVMClientPane() override;

  uint32_t Index() const { return index_; }
  void SetIndex(uint32_t index) { index_ = index; }

  // Rebuilds the driver from the (edited) record and puts the pane back to Connecting.
  void RecreateDriver();
  // Closes the device connection (shut-down calls it for every pane before deleting them).
  void DisconnectDriver();

  ZorBT* Button(int command_id) const;
  ThumbWnd* Thumb() const { return thumb_; }
  ClientTitle* Title() const { return title_; }

  void OnCommand(int id, int code, intptr_t arg) override;

  // ConnectTimer's view of the pane.
  bool IsConnecting() const override;
  int32_t ConnectWait() const override;
  void SetConnectWait(int32_t ticks) override;
  void GiveUpConnecting() override;
  void PressConnect() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void CreateButtons();

  DeviceInfo& device_;
  uint32_t index_ = 0;
  ICommandTarget* main_window_ = nullptr;
  ClientTitle* title_ = nullptr;
  ThumbWnd* thumb_ = nullptr;
  std::array<ZorBT*, 6> buttons_{};  // ids 1201..1206
  int32_t connect_wait_ = 0;
};

}  // namespace zor
