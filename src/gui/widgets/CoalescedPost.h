#pragma once
// Asks a widget's thread to run something, at most once per pending request: calls from a
// driver's thread that come faster than the GUI runs them fold into one. Any thread may call
// Post; the function runs on the thread of `context`, and not at all once `context` is gone.
#include <QMetaObject>
#include <QObject>
#include <atomic>
#include <functional>

namespace zor {

class CoalescedPost {
 public:
  // `context` must own this object (as a member), so both go together.
  void Post(QObject* context, const std::function<void()>& run) {
    if (pending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        context,
        [this, run] {
          pending_ = false;
          run();
        },
        Qt::QueuedConnection);
  }

 private:
  std::atomic<bool> pending_{false};
};

}  // namespace zor
