#include "gui/pane/DevicePane.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include "automation/AutoRunner.h"
#include "gui/pane/PaneTitleBar.h"
#include "gui/pane/StatusStripFeed.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/AutoStartSetting.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/RunLogSetting.h"
#include "gui/widgets/StateIconButton.h"
#include "gui/widgets/UiTheme.h"
#include "gui/widgets/WatchdogDefaults.h"
#include "presentation/DeviceLabel.h"
#include "presentation/PaneGeometry.h"
#include "presentation/TileLayout.h"

namespace zor {
namespace {

struct ButtonPlace {
  int32_t id;
  int left;   // x from the pane's left edge, when right is 0
  int right;  // x of the left edge, counted from the pane's right edge
  char16_t glyph;
  const char* tip;
  char16_t second_glyph;    // 0: a one-state button
  const char* second_tip;
  // The second state is an ordinary action ("disconnect"), not a warning: the first state's colours.
  bool plain_second = false;
};

// The buttons that act on a double click say so: a single click on them does nothing.
constexpr std::array<ButtonPlace, kPaneButtonCount> kButtons = {{
    {kButtonAutomation, 5, 0, glyph::kStartAutomation, QT_TRANSLATE_NOOP("DevicePane", "Start automation"),
     glyph::kStopAutomation, QT_TRANSLATE_NOOP("DevicePane", "Stop automation")},
    {kButtonPause, 37, 0, glyph::kPause, QT_TRANSLATE_NOOP("DevicePane", "Pause automation"), glyph::kResume,
     QT_TRANSLATE_NOOP("DevicePane", "Resume automation")},
    {kButtonConnect, 69, 0, glyph::kConnect, QT_TRANSLATE_NOOP("DevicePane", "Connect"), glyph::kDisconnect,
     QT_TRANSLATE_NOOP("DevicePane", "Disconnect"), true},
    {kButtonDelete, 0, 37, glyph::kDelete, QT_TRANSLATE_NOOP("DevicePane", "Delete this device (double-click)"), 0,
     nullptr},
    {kButtonEdit, 0, 101, glyph::kEdit, QT_TRANSLATE_NOOP("DevicePane", "Edit this device (double-click)"), 0, nullptr},
    {kButtonEditor, 0, 69, glyph::kSceneEditor,
     QT_TRANSLATE_NOOP("DevicePane", "Open the scene editor on this screen (double-click)"), 0, nullptr},
}};

QString PaneTip(const char* text) { return QCoreApplication::translate("DevicePane", text); }

// The button row starts this far below the top of the thumbnail's height.
constexpr int kButtonRowOffset = 40;
const QColor kSelectedFrameColour(170, 170, 170);
// The group selection's frame: amber, apart from the grey focus frame, and wide enough to tell at
// a glance across many panes.
const QColor kGroupFrameColour(255, 170, 0);
constexpr int kGroupFrameWidth = 3;

bool IsCtrlClick(const QMouseEvent& event) {
  return event.button() == Qt::LeftButton && event.modifiers().testFlag(Qt::ControlModifier);
}

StateButtonColours PaneButtonColours() {
  StateButtonColours c;
  c.normal_background = ToQColor(kPanelColor);
  c.disabled_background = ToQColor(kPanelColor);
  c.hover_background = ToQColor(kHoverColor);
  return c;
}

}  // namespace

DevicePane::DevicePane(QWidget* container, DeviceInfo& device, uint32_t index, ICommandTarget* main_window)
    : QWidget(container), device_(device), controller_(std::make_unique<PaneController>(&device)), main_window_(main_window) {
  resize(kPaneTiles.tile_width, kPaneTiles.tile_height);
  // A click anywhere on the pane (its children take no focus) selects it.
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  title_ = new PaneTitleBar(this, &device_, main_window);
  title_->installEventFilter(this);
  thumb_ = new ThumbnailView(this, this);
  thumb_->SetCaption(ToQString(DeviceLabel(device_)));
  strip_feed_ = new StatusStripFeed(*thumb_, this);
  CreateButtons();
  DeviceSession& session = controller_->Session();
  controller_->SetIndex(index);
  controller_->SetView(this);
  // The start, pause and editor test buttons drive it; a watchdog hold changes what the pane says.
  controller_->SetRunner(std::make_unique<AutoRunner>(session, session, session));
  controller_->SetRunObserver(&hold_observer_);
  controller_->SetWatchdogDefaults(StoredWatchdogSettings);
  controller_->SetRunLogFolder(RunLogFolderSetting);
  session.AttachConsumer(ConsumerRole::Thumbnail, thumb_);
  controller_->Start();
  SyncFromController();
}

DevicePane::~DevicePane() { ReleaseController(); }

void DevicePane::ReleaseController() {
  if (!controller_) return;
  emit ControllerReleasing();
  strip_feed_->Follow(nullptr);
  controller_->Session().DetachConsumer(thumb_);  // waits for a delivery to the thumbnail in progress
  controller_->SetView(nullptr);
  controller_.reset();  // stops the runner, joins the driver's threads
  title_->SetDevice(nullptr);
}

void DevicePane::CreateButtons() {
  const int w = kPaneTiles.tile_width;
  const int y = ThumbHeightFor(w) + kButtonRowOffset;
  const StateButtonColours colours = PaneButtonColours();
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonPlace& b = kButtons[i];
    const int x = b.right != 0 ? w - b.right : b.left;
    buttons_[i] = new StateIconButton(this, x, y, b.id, b.glyph, PaneTip(b.tip), colours);
    buttons_[i]->SetTarget(this);
    if (b.second_glyph != 0) {
      const auto look = b.plain_second ? StateIconButton::AddedLook::Plain : StateIconButton::AddedLook::Alert;
      buttons_[i]->AddState(b.second_glyph, PaneTip(b.second_tip), look);
    }
  }
}

uint32_t DevicePane::Index() const { return controller_ ? controller_->Index() : 0; }

void DevicePane::SetIndex(uint32_t index) {
  if (controller_) controller_->SetIndex(index);
}

bool DevicePane::StatusStripRunning() const { return strip_feed_->Running(); }

StateIconButton* DevicePane::Button(int command_id) const {
  for (StateIconButton* b : buttons_) {
    if (b->CommandId() == command_id) return b;
  }
  return nullptr;
}

void DevicePane::RecreateDriver() {
  if (!controller_) return;
  title_->SetDevice(&device_);
  thumb_->SetCaption(ToQString(DeviceLabel(device_)));
  controller_->RecreateDriver(&device_);
  SyncFromController();
}

void DevicePane::DisconnectDriver() {
  if (DeviceSession* session = Session(); session && session->Driver()) session->Driver()->Disconnect();
}

void DevicePane::OnCommand(int id, int code, intptr_t) {
  if (!controller_) return;
  if (const std::optional<PaneCommand> command = PaneCommandOf(id, code)) controller_->Execute(*command);
  SyncFromController();
}

bool DevicePane::IsConnecting() const { return controller_ && controller_->IsConnecting(); }
int32_t DevicePane::ConnectWait() const { return controller_ ? controller_->ConnectWait() : 0; }
void DevicePane::TickConnectWait() {
  if (controller_) controller_->TickConnectWait();
}

void DevicePane::GiveUpConnecting() {
  if (!controller_) return;
  controller_->GiveUpConnecting();
  SyncFromController();
}

void DevicePane::PressConnect() { Button(kButtonConnect)->Press(kNotifyClick); }

void DevicePane::PaneChanged() { sync_.Post(this, [this] { SyncFromController(); }); }

void DevicePane::ShowFullControl() {
  if (open_full_control_) {
    open_full_control_(*this);
  } else if (controller_) {
    // No full control window in this build: the driver goes back to its thumbnail rate.
    controller_->Session().CloseFullControl();
  }
}

void DevicePane::ShowSceneEditor() {
  if (open_scene_editor_) {
    open_scene_editor_(*this);
  } else if (controller_) {
    controller_->EditorClosed();
  }
}

void DevicePane::PassToMainWindow(PaneCommand command) {
  if (main_window_ && controller_) {
    main_window_->OnCommand(ButtonIdOf(command), kPaneNotifyCode, static_cast<intptr_t>(controller_->Index()));
  }
}

void DevicePane::SyncFromController() {
  if (!controller_) return;
  StartAppsWhenDue();
  const DeviceSession& session = controller_->Session();
  thumb_->ShowState(session.State());
  thumb_->SetFullControl(session.FullControlOpen());
  // The reason of an Error, or how to open full control, for the operator who points at the
  // thumbnail.
  thumb_->setToolTip(session.State() == ConnectionState::Error ? QString::fromStdString(session.LastError())
                                                               : tr("Double-click for full control (Ctrl+F)"));
  thumb_->SetStateDetail(StateDetail());
  strip_feed_->Follow(controller_->RunLasts() ? controller_.get() : nullptr);
  for (StateIconButton* b : buttons_) {
    const PaneButtonState s = controller_->Button(b->CommandId());
    if (b->State() != s.state) b->SetState(s.state);
    if (b->IsButtonEnabled() != s.enabled) b->SetButtonEnabled(s.enabled);
  }
}

QString DevicePane::StateDetail() const {
  QStringList lines;
  if (controller_->Session().State() == ConnectionState::Offline) {
    const std::string reason = controller_->Session().LastError();
    // Without a reason the attempt never got an answer before the connect timer gave up.
    lines << (reason.empty() ? tr("no answer") : QString::fromStdString(reason));
    // The driver's pause between tries grows and is its own: the pane knows only that it tries.
    lines << (controller_->RetryingWhileOffline() ? tr("trying again by itself") : tr("click connect to try again"));
  }
  if (controller_->AutomationWaitsForDevice()) lines << tr("automation waits for the device");
  if (!controller_->RunLogProblem().empty()) {
    lines << tr("no run log: %1").arg(QString::fromStdString(controller_->RunLogProblem()));
  }
  switch (controller_->AutomationHold()) {
    case HoldReason::kNone: break;
    case HoldReason::kNoSignal: lines << tr("automation paused: no picture from the device"); break;
    case HoldReason::kScreenSize:
      lines << tr("automation paused: the screen is not %1 x %2").arg(device_.ScreenWidth).arg(device_.ScreenHeight);
      break;
    case HoldReason::kOperator: lines << tr("automation paused: operator input"); break;
  }
  return lines.join('\n');
}

// The settings are read only until the pane first streams: the latch is used up after that.
void DevicePane::StartAppsWhenDue() {
  const ConnectionState state = controller_->Session().State();
  if (auto_start_.Used() || state != ConnectionState::Streaming) return;
  const bool running = controller_->Button(kButtonAutomation).state == 1;
  if (auto_start_.Due(StartAutomationWhenConnected(), state, running)) {
    controller_->Execute(PaneCommand::ToggleAutomation);
  }
}

void DevicePane::SetGroupSelected(bool selected) {
  if (group_selected_ == selected) return;
  group_selected_ = selected;
  update();
}

void DevicePane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(kPanelColor));
  QRect frame = rect().adjusted(0, 0, -1, -1);
  if (group_selected_) {
    for (int i = 0; i < kGroupFrameWidth; ++i) {
      painter.setPen(kGroupFrameColour);
      painter.drawRect(frame);
      frame.adjust(1, 1, -1, -1);
    }
  }
  if (!hasFocus()) return;
  // The focused pane, which the main window's single-pane shortcuts act on, has a light frame
  // (inside the group frame when it has both).
  painter.setPen(kSelectedFrameColour);
  painter.drawRect(frame);
}

void DevicePane::mousePressEvent(QMouseEvent* event) {
  // Taken here, so that a press on the pane (or its thumbnail) does not reach the clients area
  // and start a rubber band there.
  event->accept();
  if (IsCtrlClick(*event)) emit GroupSelectToggled();
}

bool DevicePane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == title_ && event->type() == QEvent::MouseButtonPress &&
      IsCtrlClick(*static_cast<QMouseEvent*>(event))) {
    emit GroupSelectToggled();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void DevicePane::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void DevicePane::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace zor
