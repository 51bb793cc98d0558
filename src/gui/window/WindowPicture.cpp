#include "gui/window/WindowPicture.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/window/MainWindow.h"
#include "gui/window/PaneContainer.h"

namespace zor {
namespace {
constexpr int kPollMs = 200;
// After the last pane streams, time for a second frame per pane, so no thumbnail is half-new.
constexpr int kSettleMs = 1500;
}  // namespace

bool AllPanesStreaming(const MainWindow& window) {
  if (window.Clients() == nullptr || window.Clients()->Panes().empty()) return false;
  for (const DevicePane* pane : window.Clients()->Panes()) {
    if (pane->Thumb()->ShownState() != ConnectionState::Streaming || !pane->Thumb()->Picture()) return false;
  }
  return true;
}

bool SaveWindowPicture(MainWindow& window, const QString& png_path) {
  return window.grab().toImage().save(png_path, "PNG");
}

void PictureWhenStreaming(MainWindow& window, const QString& png_path, int timeout_ms,
                          std::function<void(bool saved)> done) {
  auto* timer = new QTimer(&window);
  auto elapsed = std::make_shared<QElapsedTimer>();
  elapsed->start();
  auto streaming_since_ms = std::make_shared<qint64>(-1);
  QPointer<MainWindow> target(&window);
  QObject::connect(timer, &QTimer::timeout, timer, [=] {
    if (!target) return;
    if (*streaming_since_ms < 0 && AllPanesStreaming(*target)) *streaming_since_ms = elapsed->elapsed();
    const bool settled = *streaming_since_ms >= 0 && elapsed->elapsed() - *streaming_since_ms >= kSettleMs;
    if (!settled && elapsed->elapsed() < timeout_ms) return;
    timer->stop();
    const bool saved = SaveWindowPicture(*target, png_path);
    if (done) done(saved);
    target->CloseWithoutAsking();
  });
  timer->start(kPollMs);
}

}  // namespace zor
