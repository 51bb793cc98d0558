#include "gui/pane/StatusStripFeed.h"

#include "gui/pane/StatusStripPaint.h"
#include "gui/pane/ThumbnailView.h"

namespace zor {

StatusStripFeed::StatusStripFeed(ThumbnailView& thumb, QObject* parent) : QObject(parent), thumb_(thumb) {
  timer_.setInterval(kRefreshMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Refresh(); });
}

void StatusStripFeed::Follow(const PaneController* controller) {
  if (controller == controller_) return;
  controller_ = controller;
  if (!controller_) {
    timer_.stop();
    thumb_.SetStatusStrip({});
    return;
  }
  texts_ = TranslatedStripTexts();
  Refresh();  // the first lines at once, not a quarter of a second after the start
  timer_.start();
}

void StatusStripFeed::Refresh() {
  if (!controller_) return;
  // A run can end without the pane hearing of it at once (the scene editor closing on its test):
  // the timer stops itself then.
  if (!controller_->RunLasts()) return Follow(nullptr);
  thumb_.SetStatusStrip(StatusStripLines(controller_->AutomationStatus(), texts_));
}

}  // namespace zor
