#include "client/ui/KVMClientPane.h"

#include <QPainter>

#include "app/AppConfig.h"
#include "app/ui/UiTheme.h"
#include "shell/PaneGeometry.h"
#include "shell/ui/ClientTitle.h"
#include "shell/ui/ThumbWnd.h"
#include "shell/ui/ZorBT.h"

namespace zor {
namespace {

struct ButtonPlace {
  int id;
  int x_from_left;   // used when x_from_right is 0
  int x_from_right;  // distance of the left edge from the pane's right edge
  char16_t glyph;
  char16_t second_glyph;  // 0: a one-state button
};

constexpr std::array<ButtonPlace, 6> kButtons = {{
    {pane_command::kAutomation, 5, 0, glyph::kStartAutomation, glyph::kStopAutomation},
    {pane_command::kPause, 37, 0, glyph::kPause, glyph::kResume},
    {pane_command::kConnect, 69, 0, glyph::kConnect, glyph::kDisconnect},
    {pane_command::kDelete, 0, 37, glyph::kDelete, 0},
    {pane_command::kEdit, 0, 101, glyph::kEdit, 0},
    {pane_command::kSceneEditor, 0, 69, glyph::kSceneEditor, 0},
}};

// Buttons sit this far below the top of the thumbnail's bottom edge row.
constexpr int kButtonRowOffset = 40;

ZorBTColours PaneButtonColours() {
  const AppConfig& config = AppConfig::Instance();
  ZorBTColours c;
  c.normal_background = ToQColor(config.PanelColor);
  c.disabled_background = ToQColor(config.PanelColor);
  c.hover_background = ToQColor(config.HoverColor);
  return c;
}

}  // namespace

KVMClientPane::KVMClientPane(QWidget* container, DeviceInfo& device, uint32_t index, ICommandTarget* main_window)
    : QWidget(container), device_(device), index_(index), main_window_(main_window) {
  const AppConfig& config = AppConfig::Instance();
  resize(config.TileWidth, config.TileHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  title_ = new ClientTitle(this, &device_, main_window_);
  thumb_ = new ThumbWnd(this, this);
  thumb_->ShowState(static_cast<int32_t>(ThumbState::Connecting));
  CreateButtons();
}

KVMClientPane::~KVMClientPane() = default;

void KVMClientPane::CreateButtons() {
  const int w = AppConfig::Instance().TileWidth;
  const int y = ThumbHeightFor(w) + kButtonRowOffset;
  const ZorBTColours colours = PaneButtonColours();
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonPlace& b = kButtons[i];
    const int x = b.x_from_right != 0 ? w - b.x_from_right : b.x_from_left;
    buttons_[i] = new ZorBT(this, x, y, b.id, b.glyph, colours);
    buttons_[i]->SetTarget(this);
    if (b.second_glyph != 0) buttons_[i]->AddState(b.second_glyph);
  }
  Button(pane_command::kSceneEditor)->SetButtonEnabled(false);
  Button(pane_command::kPause)->SetButtonEnabled(false);
}

ZorBT* KVMClientPane::Button(int command_id) const {
  for (ZorBT* b : buttons_) {
    if (b->CommandId() == command_id) return b;
  }
  return nullptr;
}

void KVMClientPane::RecreateDriver() {
  title_->SetDevice(&device_);
  Button(pane_command::kConnect)->SetState(0);
  if (!IsConnecting()) {
    thumb_->ShowState(static_cast<int32_t>(ThumbState::Connecting));
    connect_wait_ = 0;
  }
}

void KVMClientPane::DisconnectDriver() {}

void KVMClientPane::OnCommand(int id, int code, intptr_t) {
  if (code == 1 && (id == pane_command::kDelete || id == pane_command::kEdit)) {
    if (main_window_ != nullptr) main_window_->OnCommand(id, kPaneForwardCode, index_);
    return;
  }
  if (code == 0 && id == pane_command::kConnect) {
    ZorBT* b = Button(id);
    if (b->State() == 1) {
      thumb_->ShowState(static_cast<int32_t>(ThumbState::Stop));
      connect_wait_ = 0;
      b->SetState(0);
    } else {
      b->SetState(1);
    }
  }
}

bool KVMClientPane::IsConnecting() const {
  return thumb_->ShownState() == static_cast<int32_t>(ThumbState::Connecting);
}
int32_t KVMClientPane::ConnectWait() const { return connect_wait_; }
void KVMClientPane::SetConnectWait(int32_t ticks) { connect_wait_ = ticks; }

void KVMClientPane::GiveUpConnecting() {
  DisconnectDriver();
  Button(pane_command::kConnect)->SetState(0);
  if (thumb_->ShownState() != static_cast<int32_t>(ThumbState::Offline)) {
    thumb_->ShowState(static_cast<int32_t>(ThumbState::Offline));
    connect_wait_ = 0;
  }
}

void KVMClientPane::PressConnect() { Button(pane_command::kConnect)->Press(); }

void KVMClientPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(AppConfig::Instance().PanelColor));
}

}  // namespace zor
