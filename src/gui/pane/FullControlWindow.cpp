#include "gui/pane/FullControlWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "gui/pane/DevicePane.h"
#include "gui/widgets/QtVirtualKey.h"
#include "platform/Clock.h"
#include "platform/Diag.h"
#include "platform/StageProbe.h"
#include "presentation/PaneController.h"
#include "presentation/PaneGeometry.h"
#include "session/DeviceSession.h"

namespace zor {
namespace {

constexpr std::string_view kDiag = "client";

// A caption with the system menu and the close button: no minimise or maximise button, and the
// fixed size leaves no border to drag.
constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

int ClientSide(uint32_t pixels) {
  return static_cast<int>(std::clamp<uint32_t>(pixels, 1, FullControlWindow::kMaxClientSide));
}

}  // namespace

FullControlWindow* FullControlWindow::OpenFor(DevicePane& pane) {
  DeviceSession* client = pane.Session();
  if (client == nullptr) return nullptr;
  FullControlWindow* window = Find(*client);
  if (window == nullptr) {
    const DeviceInfo* device = client->Device();
    window = new FullControlWindow(*client, device ? device->ScreenWidth : 0, device ? device->ScreenHeight : 0);
    window->SetTakeover(pane.Controller());
    QObject::connect(&pane, &DevicePane::ControllerReleasing, window, [window] {
      window->ReleaseOwner();
      window->close();
    });
  }
  window->show();
  window->raise();
  window->activateWindow();
  window->setFocus(Qt::ActiveWindowFocusReason);
  return window;
}

FullControlWindow* FullControlWindow::Find(const DeviceSession& client) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<FullControlWindow*>(widget);
    if (window != nullptr && window->Owner() == &client) return window;
  }
  return nullptr;
}

FullControlWindow::FullControlWindow(DeviceSession& owner, uint32_t width, uint32_t height)
    : QWidget(nullptr, kWindowFlags), owner_(&owner) {
  setObjectName(QStringLiteral("FullCtrlWndClass"));
  setWindowTitle(tr("Full Control"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every paint covers the whole client area
  // No local composition: every key goes to the device as it is, whatever input method the
  // operator's desktop runs.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(ClientSide(width), ClientSide(height));
  takeover_toggle_ = new QCheckBox(tr("Operator input pauses the Apps"), this);
  takeover_toggle_->setChecked(true);
  // The keyboard stays with the window: every key belongs to the device.
  takeover_toggle_->setFocusPolicy(Qt::NoFocus);
  takeover_toggle_->setAutoFillBackground(true);
  PlaceTakeoverToggle();
  diag::Write(kDiag, "[FullControlWindow] opened");
  paint_rate_.Start(now_ns_());
  owner.AttachConsumer(ConsumerRole::FullControl, this);
}

FullControlWindow::~FullControlWindow() { ReleaseOwner(); }

void FullControlWindow::ReleaseOwner() {
  takeover_ = nullptr;
  DeviceSession* owner = std::exchange(owner_, nullptr);
  if (owner == nullptr) return;
  owner->DetachConsumer(this);  // waits for a delivery in progress; no frame comes after it
  keys_.ReleaseAll(owner->Driver());
  owner->CloseFullControl();
  frames_.Take();  // the last picture goes back to the driver's pool now, not with the window
  diag::Write(kDiag, "[FullControlWindow] released its device");
}

DeviceDriver* FullControlWindow::Driver() const { return owner_ ? owner_->Driver() : nullptr; }

void FullControlWindow::OnFrame(const FramePtr& frame) {
  if (frame && !frame->Empty()) frames_.OnFrame(frame);
}

FramePtr FullControlWindow::Picture() const { return frames_.Latest(); }

void FullControlWindow::paintEvent(QPaintEvent*) {
  const probe::StageTimer timer(probe::Stage::Paint);
  const FramePtr frame = Picture();
  QPainter painter(this);
  if (!frame) {
    diag::Write(kDiag, "[FullControlWindow] paint: no frame yet");
    painter.fillRect(rect(), Qt::black);
  } else {
    // A view over the frame's pixels, no copy; the alpha byte is not read.
    const QImage picture(frame->pixels.data(), static_cast<int>(frame->width), static_cast<int>(frame->height),
                         static_cast<qsizetype>(frame->StrideBytes()), QImage::Format_RGB32);
    if (picture.size() == size()) {
      painter.drawImage(QPoint(0, 0), picture);
    } else {
      const PictureRect r = FitPicture(width(), height(), frame->width, frame->height);
      painter.fillRect(rect(), Qt::black);
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(QRectF(r.x, r.y, r.width, r.height), picture);
    }
    probe::AddLatency(probe::Track::FullControl, frame->complete_ns);
  }
  CountPaint();
}

void FullControlWindow::SetClock(std::function<int64_t()> now_ns) {
  now_ns_ = std::move(now_ns);
  paint_rate_ = PaintRate();
  paint_rate_.Start(now_ns_());
}

void FullControlWindow::CountPaint() {
  if (paint_rate_.CountPaint(now_ns_())) fps_counted_ = true;
  // The operator's hold ends on a worker's thread; the next paint shows it.
  UpdateTitle();
}

void FullControlWindow::SetTakeover(PaneController* controller) {
  takeover_ = controller;
  UpdateTitle();
}

void FullControlWindow::NoteOperatorInput() {
  // Without a driver nothing reached the device, so there is nothing to make way for.
  if (takeover_ == nullptr || Driver() == nullptr || !takeover_toggle_->isChecked()) return;
  takeover_->OperatorInput();
  UpdateTitle();
}

void FullControlWindow::UpdateTitle() {
  QString title = fps_counted_ ? tr("Full Control  |  FPS: %1").arg(paint_rate_.Fps()) : tr("Full Control");
  if (takeover_ != nullptr && takeover_->HeldForOperator()) {
    title += QStringLiteral("  |  ") + tr("Apps paused: operator input");
  }
  if (title != windowTitle()) setWindowTitle(title);
}

void FullControlWindow::PlaceTakeoverToggle() {
  // Top centre: the corners of a remote desktop hold its windows' close buttons and its
  // taskbar, which the operator must reach.
  takeover_toggle_->adjustSize();
  takeover_toggle_->move((width() - takeover_toggle_->width()) / 2, 0);
}

void FullControlWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceTakeoverToggle();
  diag::Write(kDiag, "[FullControlWindow] resized to " + std::to_string(width()) + " x " + std::to_string(height()));
}

void FullControlWindow::closeEvent(QCloseEvent* event) {
  // The driver falls back to its thumbnail rate at once, not when the deferred delete runs.
  ReleaseOwner();
  QWidget::closeEvent(event);
}

bool FullControlWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Every key belongs to the device: none may trigger a shortcut of this program.
      event->accept();
      return true;
    case QEvent::KeyPress:
      // Taken before QWidget::event, which would spend Tab and Shift+Tab on focus changes.
      ForwardKey(*static_cast<QKeyEvent*>(event), true);
      return true;
    case QEvent::KeyRelease:
      ForwardKey(*static_cast<QKeyEvent*>(event), false);
      return true;
    default:
      return QWidget::event(event);
  }
}

void FullControlWindow::ForwardKey(const QKeyEvent& event, bool press) {
  // Some platforms repeat a held key as release-press pairs; the device, like a Windows
  // window, sees only the repeated presses.
  if (!press && event.isAutoRepeat()) return;
  if (owner_ == nullptr) return;
  keys_.Key(Driver(), VirtualKeyFromQt(event), press);
  NoteOperatorInput();
}

void FullControlWindow::focusOutEvent(QFocusEvent* event) {
  // Keys released while another window has the keyboard never come here: release them now.
  keys_.ReleaseAll(Driver());
  QWidget::focusOutEvent(event);
}

void FullControlWindow::inputMethodEvent(QInputMethodEvent* event) { event->ignore(); }

QVariant FullControlWindow::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return false;
  return QWidget::inputMethodQuery(query);
}

QPoint FullControlWindow::ClientPoint(const QPointF& position) const {
  const int x = static_cast<int>(std::floor(position.x()));
  const int y = static_cast<int>(std::floor(position.y()));
  return {std::clamp(x, 0, width() - 1), std::clamp(y, 0, height() - 1)};
}

void FullControlWindow::mouseMoveEvent(QMouseEvent* event) {
  if (DeviceDriver* driver = Driver()) {
    const QPoint p = ClientPoint(event->position());
    driver->MouseMove(p.x(), p.y());
    NoteOperatorInput();
  }
}

void FullControlWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) setFocus(Qt::MouseFocusReason);
  ForwardButton(event->button(), true);
}

void FullControlWindow::mouseReleaseEvent(QMouseEvent* event) { ForwardButton(event->button(), false); }

void FullControlWindow::ForwardButton(Qt::MouseButton button, bool down) {
  DeviceDriver* driver = Driver();
  if (driver == nullptr) return;
  if (button != Qt::LeftButton && button != Qt::RightButton) return;  // the device has no other
  driver->MouseButton(button == Qt::LeftButton ? PointerButton::Left : PointerButton::Right, down);
  NoteOperatorInput();
}

void FullControlWindow::wheelEvent(QWheelEvent* event) {
  // Qt's angle delta has the wheel message's unit (120 per notch) and sign (positive away from
  // the user). A horizontal wheel has no vertical delta and is not the device's wheel.
  const int delta = event->angleDelta().y();
  DeviceDriver* driver = Driver();
  if (driver == nullptr || delta == 0) return;
  driver->MouseWheel(delta < 1, delta);
  NoteOperatorInput();
}

}  // namespace zor
