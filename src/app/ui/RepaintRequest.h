#pragma once
// Repaint requests for a widget from any thread (a driver's thread with a new frame): each asks
// the widget's thread for one update(), and requests made before that update runs coalesce into
// it, so frames that come faster than the GUI paints cost one paint, which shows the newest.
#include <QWidget>
#include <atomic>

namespace zor {

class RepaintRequest {
 public:
  // A member of `widget` (it must not outlive it).
  explicit RepaintRequest(QWidget& widget) : widget_(widget) {}
  RepaintRequest(const RepaintRequest&) = delete;
  RepaintRequest& operator=(const RepaintRequest&) = delete;

  // Any thread. A request still queued when the widget is deleted goes with it.
  void Post() {
    if (posted_.exchange(true)) return;
    QMetaObject::invokeMethod(
        &widget_,
        [this] {
          posted_ = false;
          widget_.update();
        },
        Qt::QueuedConnection);
  }

 private:
  QWidget& widget_;
  std::atomic<bool> posted_{false};
};

}  // namespace zor
