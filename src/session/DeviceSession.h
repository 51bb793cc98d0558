#pragma once
// The live side of one configured device: its driver, its connection state, the logic of its
// pane's buttons, its current screen image, and the fan-out of every frame to the windows and
// workers that consume it. No widgets here: the GUI pane shows this state through IClientView
// and attaches its windows as frame consumers.
//
// Threads: everything runs on the UI thread except OnFrame (the driver's receive thread) and the
// read-only getters, which any thread may call.
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <vector>

#include "session/ClientState.h"
#include "session/DriverLease.h"
#include "session/FrameConsumer.h"
#include "session/SceneEditorLink.h"
#include "device/DeviceDriver.h"
#include "model/DeviceInfo.h"

namespace zor {

// The pane's window side, implemented by the GUI.
class IClientView {
 public:
  virtual ~IClientView() = default;
  // Any thread (also the driver's): state, ConnectWait, a button or the full-control flag
  // changed. Post a repaint; do not call back into the client from here.
  virtual void ClientChanged() = 0;
  // UI thread: create the full control window if there is none, show it and give it the focus.
  virtual void ShowFullControl() = 0;
  // UI thread: create the scene editor if there is none, show it and give it the focus.
  virtual void ShowSceneEditor() = 0;
  // UI thread: the pane's delete or edit button was pressed; the main window acts on it.
  virtual void ForwardToMainWindow(int32_t id) = 0;
};

// The automation runner as the pane's buttons and the scene editor's test requests drive it.
// Called on the UI thread, and for editor requests on the driver's frame thread; never from a
// worker of the runner itself.
class IClientAutomation {
 public:
  virtual ~IClientAutomation() = default;
  // Runs the named App (loaded from its file) alongside those already running.
  virtual void AddApp(const std::u16string& app_name) = 0;
  // Tests a copy of one Item of the editor: analysis only, each best match goes to `listener`.
  virtual void StartItemTest(std::shared_ptr<const Item> item, IRunnerTestListener* listener) = 0;
  // Runs a copy of the editor's Scene as the current Scene of the named App (never changing
  // Scene); executed actions are reported to `listener`.
  virtual void StartSceneRun(const std::u16string& app_name, std::shared_ptr<const SceneData> scene,
                             IRunnerTestListener* listener) = 0;
  // Ends every worker and forgets every App.
  virtual void StopRun() = 0;
  virtual void SetPaused(bool paused) = 0;
};

class DeviceSession : public IDriverOwner {
 public:
  // `device` is not owned and must outlive the client (or be replaced by RecreateDriver).
  explicit DeviceSession(DeviceInfo* device);
  // Teardown: full control closed while the driver exists, then the driver (its destructor
  // disconnects), then the runner.
  ~DeviceSession() override;
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  void SetIndex(uint32_t index) { index_ = index; }
  uint32_t Index() const { return index_; }
  int32_t ControlId() const { return kPaneControlIdBase + static_cast<int32_t>(index_); }

  // Not owned; set before connecting, cleared (nullptr) before the view goes away.
  void SetView(IClientView* view) { view_.store(view); }
  // Owned; the runner that buttons 1201 and 1202 drive.
  void SetAutomation(std::unique_ptr<IClientAutomation> automation);

  // Creates the driver by the record's type and puts the pane in its first state (Connecting,
  // editor and pause buttons disabled). The driver is not connected here. Call once.
  bool CreateClient();

  // Replaces the driver after the record was edited, optionally giving a new record; the old
  // driver disconnects in its destructor. The pane goes back to Connecting. A run goes on: its
  // workers wait for the swap and send their next input to the new driver.
  void RecreateDriver(DeviceInfo* device = nullptr);
  // Puts `driver` in place of the current one (tools and tests that bring their own driver);
  // waits for automation calls into the old driver to return before deleting it.
  void SetDriver(std::unique_ptr<DeviceDriver> driver);

  // A pane button or the thumbnail sent a command: low 16 bits id, high 16 bits notification.
  void OnCommand(uint32_t wparam);
  void OnCommand(int32_t id, int32_t code) { OnCommand(static_cast<uint32_t>(id & 0xFFFF) | (static_cast<uint32_t>(code) << 16)); }

  // Raises the driver to the full-control rate and asks the view for the window.
  void OpenFullControl();
  // The full control window went away: the driver falls back to its thumbnail rate.
  void CloseFullControl();
  // Hands the record's Apps to the runner.
  void StartAutomation();

  // IDriverOwner
  const DeviceInfo* Device() const override { return device_; }
  void OnFrame(FramePtr frame) override;

  // Consumers receive frames in ConsumerRole order, in attach order within a role. Detaching
  // waits for a delivery to that consumer in progress, so the consumer may be freed right after.
  void AttachConsumer(ConsumerRole role, IFrameConsumer* consumer);
  void DetachConsumer(IFrameConsumer* consumer);

  // The driver: null for an unknown device type. UI thread only (the thread that replaces it).
  DeviceDriver* Driver() const { return driver_.get(); }
  // The driver for one call from another thread (automation workers): it cannot be replaced or
  // deleted while the lease lives. Hold it for one driver call, never across a sleep.
  DriverLease LeaseDriver() const { return DriverLease(driver_mutex_, driver_); }
  // Why the driver's last attempt to reach the device failed, in words for the operator; empty
  // while pictures arrive, before the first failure and without a driver. Any thread.
  std::string LastError() const;

  // The scene editor, while it is open (UI thread). Its test requests are acted on when the
  // next frame arrives, before the frame is handed out. Detaching waits for that servicing and
  // stops a run that still reports to the editor.
  void AttachSceneEditor(ISceneEditorLink* editor);
  void DetachSceneEditor();
  // The latest frame, null before the first.
  FramePtr CurrentFrame() const;

  ClientState State() const;
  int32_t ConnectWait() const;
  // Writes the state and resets ConnectWait to 0, then tells the view.
  void SetState(ClientState state);
  // One tick of the connect timer while Connecting; returns the new count.
  int32_t TickConnectWait();

  PaneButtonState Button(int32_t id) const;
  bool FullControlOpen() const { return full_control_open_.load(); }
  bool AutomationActive() const { return automation_active_.load(); }
  bool EditorOpen() const { return editor_open_; }
  // The scene editor window closed (UI thread).
  void EditorClosed() { editor_open_ = false; }

 private:
  struct PaneState {
    ClientState state = ClientState::Offline;
    int32_t connect_wait = 0;
    std::array<PaneButtonState, kPaneButtonCount> buttons{};
  };
  struct Attached {
    ConsumerRole role = ConsumerRole::Thumbnail;
    IFrameConsumer* consumer = nullptr;
  };

  static size_t Slot(int32_t id);  // of a pane button id
  void SetButton(int32_t id, PaneButtonState value);
  void Notify();
  void ToggleAutomation();
  void TogglePause();
  void ToggleConnection();
  void ForwardToMainWindow(int32_t id);
  void OpenSceneEditor();
  void StartAutomationLocked();     // editor_mutex_ held
  void ServiceEditorRequests();     // frame thread
  void ActOnEditorRequestLocked();  // editor_mutex_ held, editor and runner present
  void StopEditorRunLocked();       // editor_mutex_ held, editor attached
  void EndEditorRun();              // the run stopped by the start button
  // Moves to Streaming (and enables the editor button) unless already there; true on a change.
  bool MarkStreaming();

  DeviceInfo* device_ = nullptr;
  uint32_t index_ = 0;
  std::atomic<bool> automation_active_{false};
  std::atomic<bool> full_control_open_{false};
  bool editor_open_ = false;
  // Written only under driver_mutex_ held exclusively; automation workers read it through leases.
  mutable std::shared_mutex driver_mutex_;
  std::unique_ptr<DeviceDriver> driver_;
  std::unique_ptr<IClientAutomation> automation_;

  // The open editor; held while its requests are serviced, so detaching waits for that.
  std::mutex editor_mutex_;
  ISceneEditorLink* editor_ = nullptr;
  // The running automation reports to the editor (an Item test or a Scene run).
  std::atomic<bool> editor_run_{false};
  std::atomic<IClientView*> view_{nullptr};

  // Guards the connection state and the buttons (written by the UI thread and, for the first
  // frame, by the driver's thread).
  mutable std::mutex pane_mutex_;
  PaneState pane_;

  // Guards the client's own image.
  mutable std::mutex image_mutex_;
  FramePtr screen_;

  // Held for a whole fan-out, so that detaching waits until no delivery is in progress.
  // Lock order: this mutex, then the consumer's own lock (inside its OnFrame).
  std::mutex consumers_mutex_;
  std::vector<Attached> consumers_;
};

}  // namespace zor
