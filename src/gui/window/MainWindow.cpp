#include "gui/window/MainWindow.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>
#include <QTimerEvent>
#include <QUrl>
#include <vector>

#include "gui/dialogs/AppManagerDialog.h"
#include "gui/dialogs/SettingsDialog.h"
#include "gui/pane/DevicePane.h"
#include "gui/widgets/QtText.h"
#include "gui/window/PaneContainer.h"
#include "gui/window/TopBar.h"
#include "model/AppConfig.h"
#include "platform/Clock.h"
#include "presentation/ConnectTimer.h"
#include "presentation/ToolBarLayout.h"

namespace zor {
namespace {
constexpr int kMinWidth = 800;
constexpr int kMinHeight = 600;
constexpr int kStartWidth = 1920;
constexpr int kStartHeight = 1080;
}  // namespace

namespace command {
inline constexpr int kAppManager = 1100;
inline constexpr int kAddDevice = 1101;
inline constexpr int kSettings = 1102;
inline constexpr int kWebSite = 1103;
}  // namespace command

MainWindow::MainWindow() {
  AppConfig& config = AppConfig::Instance();
  setWindowTitle(ToQString(config.Caption()));
  setMinimumSize(kMinWidth, kMinHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setStyleSheet({});
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
  setAutoFillBackground(true);
  top_ = std::make_unique<TopBar>(this, this);
  clients_ = std::make_unique<PaneContainer>(this, this);
  resize(kStartWidth, kStartHeight);
  AddShortcuts();
  connect_timer_.start(kConnectTimerPeriodMs, this);
}

void MainWindow::OpenSelectedFullControl() {
  DevicePane* pane = clients_ != nullptr ? clients_->SelectedPane() : nullptr;
  if (pane != nullptr && pane->Controller() != nullptr) pane->Controller()->Execute(PaneCommand::OpenFullControl);
}

// Without a browser Qt only writes to standard error, where no operator looks.
void MainWindow::OpenWebSite() {
  if (QDesktopServices::openUrl(QUrl(kMakerSiteUrl))) return;
  QMessageBox::information(this, tr("Web site"),
                           tr("No web browser could be started. The web site is %1").arg(kMakerSiteUrl));
}

// The tooltips name them: the tool bar's the first two, the thumbnail's Ctrl+F. Ctrl+Q asks
// before quitting, as closing does.
void MainWindow::AddShortcuts() {
  const auto add = [this](const QKeySequence& keys, int command_id) {
    auto* shortcut = new QShortcut(keys, this);  // a child: it goes with the window
    connect(shortcut, &QShortcut::activated, this, [this, command_id] { OnCommand(command_id, kNotifyClick, 0); });
  };
  add(QKeySequence(Qt::CTRL | Qt::Key_M), command::kAppManager);
  add(QKeySequence(Qt::CTRL | Qt::Key_N), command::kAddDevice);
  auto* full_control = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  connect(full_control, &QShortcut::activated, this, &MainWindow::OpenSelectedFullControl);
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  connect(quit, &QShortcut::activated, this, &QWidget::close);
}

MainWindow::~MainWindow() {
  connect_timer_.stop();
}

void MainWindow::OnCommand(int id, int, intptr_t arg) {
  switch (id) {
    case command::kAppManager: AppManagerDialog::Run(this); break;
    case command::kAddDevice:
      if (clients_ != nullptr) clients_->AddDevice();
      break;
    case command::kSettings: SettingsDialog::Run(this); break;
    case command::kWebSite: OpenWebSite(); break;
    case kButtonDelete:
    case kButtonEdit:
      // These come from inside a pane's button, and deleting or rebuilding that pane's client
      // must not happen under its own call: run them once the button's event is over.
      QMetaObject::invokeMethod(this, [this, id, index = static_cast<int>(arg)] { RunPaneCommand(id, index); },
                                Qt::QueuedConnection);
      break;
    default: break;  // the title bar tabs (10000 + n) do nothing
  }
}

void MainWindow::RunPaneCommand(int id, int index) {
  if (clients_ == nullptr) return;
  if (id == kButtonDelete) clients_->DeleteDevice(index);
  if (id == kButtonEdit) clients_->EditDevice(index);
}

void MainWindow::ConnectTimerTick() {
  if (clients_ == nullptr) return;
  const auto& panes = clients_->Panes();
  std::vector<IConnectTimerPane*> list(panes.begin(), panes.end());
  ConnectTimerStep(list);
  // A driver's reason for failing changes without telling the pane: Offline panes read it again.
  for (DevicePane* pane : panes) {
    if (pane->Session() != nullptr && pane->Session()->State() == ConnectionState::Offline) pane->SyncFromController();
  }
}

void MainWindow::timerEvent(QTimerEvent* event) {
  if (event->timerId() == connect_timer_.timerId()) ConnectTimerTick();
}

void MainWindow::changeEvent(QEvent* event) {
  // A minimised window shows no pane: devices that only their thumbnails watch need no decoding.
  if (event->type() == QEvent::WindowStateChange && clients_ != nullptr) clients_->UpdatePanesInSight();
  QWidget::changeEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent*) {
  const int w = width();
  const int top_height = kTopBarHeight;
  if (top_ != nullptr) {
    top_->PlaceButtons(w);
    top_->setGeometry(0, 0, w, top_height);
  }
  if (clients_ != nullptr) clients_->setGeometry(0, top_height, w, height() - top_height);
}

void MainWindow::CloseWithoutAsking() {
  close_confirmed_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (close_confirmed_) {
    Shutdown();
    event->accept();
    return;
  }
  const auto answer = QMessageBox::question(this, tr("Confirm exit"),
                                            tr("Quit the program?"),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  if (answer != QMessageBox::Yes) {
    event->ignore();
    return;
  }
  Shutdown();
  event->accept();
}

// Connections first, so the devices see a clean close; then the panes (and with them the
// drivers and runners) before the top frame. The device list was saved at each change.
void MainWindow::Shutdown() {
  connect_timer_.stop();
  if (clients_ != nullptr) clients_->DisconnectAll();
  SleepMs(kShutdownDrainMs);
  clients_.reset();
  top_.reset();
}

}  // namespace zor
