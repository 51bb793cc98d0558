#pragma once
// The full control window: one device's screen at full size in a top-level window titled
// "Full Control", with the operator's mouse and keyboard forwarded to the device's driver. Its
// client area is the device's configured screen size, so one window pixel is one remote pixel
// and mouse positions go to the driver unscaled; a frame of another size is letterboxed.
//
// Threads: everything runs on the UI thread except OnFrame, which the driver's thread calls:
// it only hands the frame to the window's mailbox, which posts one repaint request. Painting
// takes the newest frame from the mailbox and draws without holding any lock.
//
// Operator takeover: while its toggle is on, the operator's mouse and keys sent through the
// window hold the device's Apps (only this device's) until the operator has been quiet for
// kOperatorQuietMs, and the title says so. The toggle belongs to the window, not to the device:
// it is on again each time a window opens, so that a forgotten switch never lets a run fight
// the operator's hand.
#include <QWidget>
#include <functional>

#include "gui/widgets/CoalescedPost.h"
#include "platform/Clock.h"
#include "presentation/KeyForwarder.h"
#include "presentation/PaintRate.h"
#include "session/FrameMailbox.h"

class QCheckBox;

namespace zor {

class DeviceSession;
class DevicePane;
class DeviceDriver;
class PaneController;

class FullControlWindow : public QWidget, public IFrameConsumer {
  Q_OBJECT
 public:
  // Largest side of the client area: 8K screens are the largest that KVM devices carry, and a
  // bigger size can only come from a damaged device list.
  static constexpr int kMaxClientSide = 8192;

  // The pane's full control window, created for its client when there is none, then shown,
  // raised and given the focus. The pane's client going away closes the window. Returns null
  // when the pane has no client.
  static FullControlWindow* OpenFor(DevicePane& pane);
  // The open window of `client`, or null.
  static FullControlWindow* Find(const DeviceSession& client);

  // Attaches to `owner` as its full control frame consumer; the client area is width x height
  // (each side kept within 1..kMaxClientSide).
  FullControlWindow(DeviceSession& owner, uint32_t width, uint32_t height);
  ~FullControlWindow() override;
  FullControlWindow(const FullControlWindow&) = delete;
  FullControlWindow& operator=(const FullControlWindow&) = delete;

  // Driver thread: keeps the frame as the newest picture and asks the UI thread for a paint.
  void OnFrame(const FramePtr& frame) override;

  // Lets go of the client: frames stop, keys still held are released on the device and the
  // driver falls back to its thumbnail rate. Closing the window does it, and so must whoever
  // deletes the client while the window is open; the window is inert afterwards.
  void ReleaseOwner();

  DeviceSession* Owner() const { return owner_; }
  // The controller whose Apps the operator's input holds (null: none). It must stay until
  // ReleaseOwner, which forgets it; the pane releases the window before its controller goes.
  void SetTakeover(PaneController* controller);
  // The toggle "operator input pauses the Apps"; on when the window opens.
  QCheckBox* TakeoverToggle() const { return takeover_toggle_; }
  // The newest frame (null before the first); any thread.
  FramePtr Picture() const;
  // The input method is told that this window takes no composed text.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  // Paints counted in the last completed second (what the title shows).
  uint32_t Fps() const { return paint_rate_.Fps(); }
  // The clock the paint count reads (the monotonic clock unless a test gives its own); the
  // count starts its first second again.
  void SetClock(std::function<int64_t()> now_ns);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  DeviceDriver* Driver() const;
  void ForwardKey(const QKeyEvent& event, bool press);
  void ForwardButton(Qt::MouseButton button, bool down);
  // The event's position in client pixels, kept inside the client area (a drag that leaves the
  // window stops at its edge instead of jumping to the far side of the remote screen).
  QPoint ClientPoint(const QPointF& position) const;
  void CountPaint();
  // Input went to the device by the operator's hand: the Apps are held, if the toggle says so.
  void NoteOperatorInput();
  // The frames per second once a second has been counted, and the operator's hold.
  void UpdateTitle();
  void PlaceTakeoverToggle();

  DeviceSession* owner_ = nullptr;
  PaneController* takeover_ = nullptr;
  QCheckBox* takeover_toggle_ = nullptr;  // a child of the window
  bool fps_counted_ = false;  // a second of paints has been counted
  KeyForwarder keys_;
  std::function<int64_t()> now_ns_ = MonotonicNs;
  PaintRate paint_rate_;
  CoalescedPost repaint_;  // frames that come faster than the GUI paints fold into one repaint
  FrameMailbox frames_{[this] { repaint_.Post(this, [this] { update(); }); }};
};

}  // namespace zor
