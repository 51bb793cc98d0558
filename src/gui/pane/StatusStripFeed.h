#pragma once
// Keeps a pane's status strip current while the pane's automation runs: four times a second at
// most it copies the runner's records (no lock is held once the copy returns), turns them into
// the strip's lines and hands them to the thumbnail, which repaints the strip's band only.
// While the automation is off its timer is stopped, so the strip costs nothing. GUI thread.
#include <QObject>
#include <QTimer>

#include "presentation/PaneController.h"
#include "presentation/StatusStripText.h"

namespace zor {

class ThumbnailView;

class StatusStripFeed : public QObject {
  Q_OBJECT
 public:
  // The strip changes at most this often: the operator reads a figure in about this time, and
  // a faster one would cost repaints on every pane of a large station for nothing seen.
  static constexpr int kRefreshMs = 250;

  StatusStripFeed(ThumbnailView& thumb, QObject* parent);

  // Follows `controller`'s run from now on, or (nullptr) stops and clears the strip.
  void Follow(const PaneController* controller);
  bool Running() const { return timer_.isActive(); }

 private:
  void Refresh();

  ThumbnailView& thumb_;
  const PaneController* controller_ = nullptr;
  QTimer timer_;
  StripTexts texts_;  // translated when following begins
};

}  // namespace zor
