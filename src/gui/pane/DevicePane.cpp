#include "gui/pane/DevicePane.h"

#include <QPainter>

#include "presentation/TileLayout.h"
#include "automation/AutoRunner.h"
#include "gui/widgets/UiTheme.h"
#include "presentation/PaneGeometry.h"
#include "gui/pane/PaneTitleBar.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"

namespace zor {
namespace {

struct ButtonPlace {
  int32_t id;
  int left;   // x from the pane's left edge, when right is 0
  int right;  // x of the left edge, counted from the pane's right edge
  char16_t glyph;
  char16_t second_glyph;  // 0: a one-state button
};

constexpr std::array<ButtonPlace, kPaneButtonCount> kButtons = {{
    {kButtonAutomation, 5, 0, glyph::kStartAutomation, glyph::kStopAutomation},
    {kButtonPause, 37, 0, glyph::kPause, glyph::kResume},
    {kButtonConnect, 69, 0, glyph::kConnect, glyph::kDisconnect},
    {kButtonDelete, 0, 37, glyph::kDelete, 0},
    {kButtonEdit, 0, 101, glyph::kEdit, 0},
    {kButtonEditor, 0, 69, glyph::kSceneEditor, 0},
}};

// The button row starts this far below the top of the thumbnail's height.
constexpr int kButtonRowOffset = 40;

StateButtonColours PaneButtonColours() {
  StateButtonColours c;
  c.normal_background = ToQColor(kPanelColor);
  c.disabled_background = ToQColor(kPanelColor);
  c.hover_background = ToQColor(kHoverColor);
  return c;
}

}  // namespace

DevicePane::DevicePane(QWidget* container, DeviceInfo& device, uint32_t index, ICommandTarget* main_window)
    : QWidget(container), device_(device), client_(std::make_unique<DeviceSession>(&device)), main_window_(main_window) {
  resize(kPaneTiles.tile_width, kPaneTiles.tile_height);
  setAttribute(Qt::WA_OpaquePaintEvent);
  title_ = new PaneTitleBar(this, &device_, main_window);
  thumb_ = new ThumbnailView(this, this);
  CreateButtons();
  client_->SetIndex(index);
  client_->SetView(this);
  client_->SetAutomation(std::make_unique<AutoRunner>(*client_));  // the start and pause buttons drive it
  client_->AttachConsumer(ConsumerRole::Thumbnail, thumb_);
  client_->CreateClient();
  SyncFromClient();
}

DevicePane::~DevicePane() { ReleaseClient(); }

void DevicePane::ReleaseClient() {
  if (!client_) return;
  emit ClientReleasing();
  client_->DetachConsumer(thumb_);  // waits for a delivery to the thumbnail in progress
  client_->SetView(nullptr);
  client_.reset();  // joins the driver's threads
  title_->SetDevice(nullptr);
}

void DevicePane::CreateButtons() {
  const int w = kPaneTiles.tile_width;
  const int y = ThumbHeightFor(w) + kButtonRowOffset;
  const StateButtonColours colours = PaneButtonColours();
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonPlace& b = kButtons[i];
    const int x = b.right != 0 ? w - b.right : b.left;
    buttons_[i] = new StateIconButton(this, x, y, b.id, b.glyph, colours);
    buttons_[i]->SetTarget(this);
    if (b.second_glyph != 0) buttons_[i]->AddState(b.second_glyph);
  }
}

uint32_t DevicePane::Index() const { return client_ ? client_->Index() : 0; }

void DevicePane::SetIndex(uint32_t index) {
  if (client_) client_->SetIndex(index);
}

StateIconButton* DevicePane::Button(int command_id) const {
  for (StateIconButton* b : buttons_) {
    if (b->CommandId() == command_id) return b;
  }
  return nullptr;
}

void DevicePane::RecreateDriver() {
  if (!client_) return;
  title_->SetDevice(&device_);
  client_->RecreateDriver(&device_);
  SyncFromClient();
}

void DevicePane::DisconnectDriver() {
  if (client_ && client_->Driver()) client_->Driver()->Disconnect();
}

void DevicePane::OnCommand(int id, int code, intptr_t) {
  if (client_) client_->OnCommand(id, code);
  SyncFromClient();
}

bool DevicePane::IsConnecting() const { return client_ && client_->State() == ClientState::Connecting; }
int32_t DevicePane::ConnectWait() const { return client_ ? client_->ConnectWait() : 0; }
void DevicePane::TickConnectWait() {
  if (client_) client_->TickConnectWait();
}

void DevicePane::GiveUpConnecting() {
  if (!client_) return;
  if (client_->Button(kButtonConnect).state == 1) {
    // The connect button's own "disconnect" click: the driver disconnects, the button shows
    // "connect" again.
    client_->OnCommand(kButtonConnect, kNotifyClick);
  } else if (client_->Driver() != nullptr) {
    client_->Driver()->Disconnect();
  }
  if (client_->State() != ClientState::Offline) client_->SetState(ClientState::Offline);
  SyncFromClient();
}

void DevicePane::PressConnect() { Button(kButtonConnect)->Press(kNotifyClick); }

void DevicePane::ClientChanged() { sync_.Post(this, [this] { SyncFromClient(); }); }

void DevicePane::ShowFullControl() {
  if (open_full_control_) {
    open_full_control_(*this);
  } else if (client_) {
    // No full control window in this build: the driver goes back to its thumbnail rate.
    client_->CloseFullControl();
  }
}

void DevicePane::ShowSceneEditor() {
  if (open_scene_editor_) {
    open_scene_editor_(*this);
  } else if (client_) {
    client_->EditorClosed();
  }
}

void DevicePane::ForwardToMainWindow(int32_t id) {
  if (main_window_) main_window_->OnCommand(id, kPaneNotifyCode, static_cast<intptr_t>(client_->Index()));
}

void DevicePane::SyncFromClient() {
  if (!client_) return;
  thumb_->ShowState(client_->State());
  thumb_->SetFullControl(client_->FullControlOpen());
  for (StateIconButton* b : buttons_) {
    const PaneButtonState s = client_->Button(b->CommandId());
    if (b->State() != s.state) b->SetState(s.state);
    if (b->IsButtonEnabled() != s.enabled) b->SetButtonEnabled(s.enabled);
  }
}

void DevicePane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(kPanelColor));
}

}  // namespace zor
