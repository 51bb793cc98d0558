#include "session/DeviceSession.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "model/AppConfig.h"
#include "device/DriverFactory.h"
#include "platform/Diag.h"

namespace zor {
namespace {

constexpr std::string_view kDiag = "client";

// Device types whose drivers have a full-control rate to switch to.
bool HasStreamMode(uint32_t type) { return type == kSoftKvmDeviceType || type == kTesselDeviceType; }

}  // namespace

DeviceSession::DeviceSession(DeviceInfo* device) : device_(device) {}

DeviceSession::~DeviceSession() {
  if (full_control_open_.load()) CloseFullControl();
  // The runner stops first: its workers call the driver, and the driver's frame thread must
  // not hand frames to workers being destroyed.
  if (automation_) automation_->StopRun();
  SetDriver(nullptr);
  automation_.reset();
}

void DeviceSession::SetAutomation(std::unique_ptr<IClientAutomation> automation) { automation_ = std::move(automation); }

bool DeviceSession::CreateClient() {
  SetDriver(device_ ? CreateDriver(device_->Type, *this) : nullptr);
  diag::Write(kDiag, "DeviceSession::CreateClient() Device hKvm ok.");
  SetState(ClientState::Connecting);
  diag::Write(kDiag, "DeviceSession::CreateClient() SetState ok.");
  {
    std::lock_guard lock(pane_mutex_);
    pane_.buttons = {};
    pane_.buttons[Slot(kButtonEditor)].enabled = false;
    pane_.buttons[Slot(kButtonPause)].enabled = false;
  }
  Notify();
  return true;
}

void DeviceSession::RecreateDriver(DeviceInfo* device) {
  SetDriver(nullptr);  // joins the old driver's threads before the record may change under them
  if (device) device_ = device;
  SetDriver(device_ ? CreateDriver(device_->Type, *this) : nullptr);
  SetButton(kButtonConnect, {0, Button(kButtonConnect).enabled});
  if (State() != ClientState::Connecting) SetState(ClientState::Connecting);
  Notify();
}

std::string DeviceSession::LastError() const {
  const DriverLease driver = LeaseDriver();
  return driver ? driver->LastError() : std::string();
}

void DeviceSession::SetDriver(std::unique_ptr<DeviceDriver> driver) {
  std::unique_ptr<DeviceDriver> old;
  {
    std::unique_lock lock(driver_mutex_);  // waits for automation calls in progress
    old = std::exchange(driver_, std::move(driver));
  }
  // Deleted outside the lock: the destructor joins the driver's threads, whose frames may wake
  // workers that are about to lease the driver.
  old.reset();
}

void DeviceSession::OnCommand(uint32_t wparam) {
  const int32_t id = static_cast<int32_t>(wparam & 0xFFFF);
  const int32_t code = static_cast<int32_t>(wparam >> 16);
  if (code == kNotifyClick) {
    if (id == kButtonAutomation) ToggleAutomation();
    if (id == kButtonPause) TogglePause();
    if (id == kButtonConnect) ToggleConnection();
  } else if (code == kNotifyDoubleClick) {
    if (id == kButtonDelete || id == kButtonEdit) ForwardToMainWindow(id);
    if (id == kButtonEditor) OpenSceneEditor();
    if (id == kThumbnailCommand) OpenFullControl();
  }
}

void DeviceSession::ToggleAutomation() {
  if (Button(kButtonAutomation).state == 1) {
    automation_active_.store(false);
    if (automation_) {
      automation_->StopRun();
      automation_->SetPaused(false);
    }
    EndEditorRun();
    SetButton(kButtonAutomation, {0, true});
    // The pause button goes back to "pause" too, so that the next run does not start showing
    // "resume" over a runner that is not paused.
    SetButton(kButtonPause, {0, false});
  } else {
    StartAutomation();
    SetButton(kButtonAutomation, {1, true});
    SetButton(kButtonPause, {Button(kButtonPause).state, true});
  }
  Notify();
}

void DeviceSession::TogglePause() {
  const PaneButtonState pause = Button(kButtonPause);
  if (!automation_ || !pause.enabled) return;  // a disabled button sends no clicks
  const bool pausing = pause.state == 0;
  automation_->SetPaused(pausing);
  SetButton(kButtonPause, {pausing ? 1 : 0, true});
  Notify();
}

void DeviceSession::ToggleConnection() {
  if (Button(kButtonConnect).state == 1) {
    if (driver_) driver_->Disconnect();
    SetState(ClientState::Stop);
    SetButton(kButtonConnect, {0, true});
  } else {
    if (driver_) driver_->Connect();
    SetButton(kButtonConnect, {1, true});
  }
  Notify();
}

void DeviceSession::ForwardToMainWindow(int32_t id) {
  if (IClientView* view = view_.load()) view->ForwardToMainWindow(id);
}

void DeviceSession::OpenSceneEditor() {
  if (!Button(kButtonEditor).enabled) return;  // disabled until the first frame
  editor_open_ = true;
  if (IClientView* view = view_.load()) view->ShowSceneEditor();
}

void DeviceSession::OpenFullControl() {
  if (driver_ && device_ && HasStreamMode(device_->Type)) driver_->StartStream();
  full_control_open_.store(true);
  Notify();
  if (IClientView* view = view_.load()) view->ShowFullControl();
}

void DeviceSession::CloseFullControl() {
  if (driver_) driver_->StopStream();
  if (full_control_open_.exchange(false)) Notify();
}

void DeviceSession::StartAutomation() {
  std::lock_guard lock(editor_mutex_);
  StartAutomationLocked();
}

void DeviceSession::StartAutomationLocked() {
  if (!automation_ || !device_) return;
  if (!editor_) {
    for (const std::u16string& app : device_->Apps) automation_->AddApp(app);
    return;
  }
  // With the editor open the start button runs the edited Scene, under the device's first App
  // (for its user values) when it has one.
  automation_active_.store(true);
  editor_run_.store(true);
  const std::u16string app = device_->Apps.empty() ? std::u16string() : device_->Apps.front();
  automation_->StartSceneRun(app, editor_->EditedScene(), editor_);
}

void DeviceSession::AttachSceneEditor(ISceneEditorLink* editor) {
  std::lock_guard lock(editor_mutex_);
  editor_ = editor;
}

void DeviceSession::DetachSceneEditor() {
  std::lock_guard lock(editor_mutex_);
  // A run that reports to the editor ends before the editor goes.
  if (editor_run_.exchange(false)) {
    automation_active_.store(false);
    if (automation_) automation_->StopRun();
  }
  editor_ = nullptr;
}

void DeviceSession::EndEditorRun() {
  std::lock_guard lock(editor_mutex_);
  editor_run_.store(false);
  if (editor_) editor_->ClearTestBestMatch();
}

// Frame thread, before the frame is handed out: acts on a request the editor posted and moves
// its state along. Runs are started and stopped here, never on a worker.
void DeviceSession::ServiceEditorRequests() {
  std::lock_guard lock(editor_mutex_);
  if (!editor_ || !automation_) return;
  try {
    ActOnEditorRequestLocked();
  } catch (const std::system_error& e) {
    // No thread for a worker: the test does not start, and the driver's thread goes on.
    diag::Write(kDiag, std::string("DeviceSession: editor test not started: ") + e.what());
    editor_->SetTestState(EditorTestState::Idle);
    StopEditorRunLocked();
  }
}

void DeviceSession::ActOnEditorRequestLocked() {
  switch (editor_->TestState()) {
    case EditorTestState::ItemTestRequested:
      editor_->SetTestState(EditorTestState::ItemTestRunning);
      automation_active_.store(true);
      editor_run_.store(true);
      automation_->StartItemTest(editor_->SelectedItem(), editor_);
      break;
    case EditorTestState::ItemTestStopRequested:
      editor_->SetTestState(EditorTestState::Idle);
      StopEditorRunLocked();
      break;
    case EditorTestState::SceneTestRequested:
      editor_->SetTestState(EditorTestState::SceneTestRunning);
      StartAutomationLocked();
      break;
    case EditorTestState::SceneTestStopRequested:
      editor_->SetTestState(EditorTestState::Idle);
      StopEditorRunLocked();
      break;
    default: break;
  }
}

void DeviceSession::StopEditorRunLocked() {
  automation_active_.store(false);
  editor_run_.store(false);
  automation_->StopRun();
  editor_->ClearTestBestMatch();
}

void DeviceSession::OnFrame(FramePtr frame) {
  if (!frame) return;
  {
    std::lock_guard lock(image_mutex_);
    screen_ = frame;
  }
  if (MarkStreaming()) Notify();
  ServiceEditorRequests();
  std::lock_guard lock(consumers_mutex_);
  for (const Attached& attached : consumers_) attached.consumer->OnFrame(frame);
}

bool DeviceSession::MarkStreaming() {
  std::lock_guard lock(pane_mutex_);
  if (pane_.state == ClientState::Streaming) return false;
  pane_.buttons[Slot(kButtonEditor)].enabled = true;
  pane_.state = ClientState::Streaming;
  pane_.connect_wait = 0;
  return true;
}

void DeviceSession::AttachConsumer(ConsumerRole role, IFrameConsumer* consumer) {
  if (!consumer) return;
  std::lock_guard lock(consumers_mutex_);
  // After the last consumer of the same or an earlier role: the fan-out order.
  auto at = std::find_if(consumers_.begin(), consumers_.end(), [role](const Attached& a) { return a.role > role; });
  consumers_.insert(at, Attached{role, consumer});
}

void DeviceSession::DetachConsumer(IFrameConsumer* consumer) {
  std::lock_guard lock(consumers_mutex_);
  std::erase_if(consumers_, [consumer](const Attached& a) { return a.consumer == consumer; });
}

FramePtr DeviceSession::CurrentFrame() const {
  std::lock_guard lock(image_mutex_);
  return screen_;
}

ClientState DeviceSession::State() const {
  std::lock_guard lock(pane_mutex_);
  return pane_.state;
}

int32_t DeviceSession::ConnectWait() const {
  std::lock_guard lock(pane_mutex_);
  return pane_.connect_wait;
}

void DeviceSession::SetState(ClientState state) {
  {
    std::lock_guard lock(pane_mutex_);
    pane_.state = state;
    pane_.connect_wait = 0;
  }
  Notify();
}

int32_t DeviceSession::TickConnectWait() {
  std::lock_guard lock(pane_mutex_);
  return ++pane_.connect_wait;
}

size_t DeviceSession::Slot(int32_t id) { return static_cast<size_t>(id - kFirstPaneButton); }

PaneButtonState DeviceSession::Button(int32_t id) const {
  if (!IsPaneButton(id)) return {};
  std::lock_guard lock(pane_mutex_);
  return pane_.buttons[Slot(id)];
}

void DeviceSession::SetButton(int32_t id, PaneButtonState value) {
  if (!IsPaneButton(id)) return;
  std::lock_guard lock(pane_mutex_);
  pane_.buttons[Slot(id)] = value;
}

void DeviceSession::Notify() {
  if (IClientView* view = view_.load()) view->ClientChanged();
}

}  // namespace zor
