#pragma once
// The full control window: one device's screen at full size in a top-level window titled
// "Full Control", with the operator's mouse and keyboard forwarded to the device's driver. Its
// client area is the device's configured screen size, so one window pixel is one remote pixel
// and mouse positions go to the driver unscaled; a frame of another size is letterboxed.
//
// Threads: everything runs on the UI thread except OnFrame, which the driver's thread calls:
// it only hands the frame to the window's mailbox, which posts one repaint request. Painting
// takes the newest frame from the mailbox and draws without holding any lock.
#include <QWidget>
#include <functional>

#include "gui/widgets/CoalescedPost.h"
#include "platform/Clock.h"
#include "presentation/KeyForwarder.h"
#include "presentation/PaintRate.h"
#include "session/FrameMailbox.h"

namespace zor {

class DeviceSession;
class DevicePane;
class DeviceDriver;

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

  DeviceSession* owner_ = nullptr;
  KeyForwarder keys_;
  std::function<int64_t()> now_ns_ = MonotonicNs;
  PaintRate paint_rate_;
  CoalescedPost repaint_;  // frames that come faster than the GUI paints fold into one repaint
  FrameMailbox frames_{[this] { repaint_.Post(this, [this] { update(); }); }};
};

}  // namespace zor
