#include "gui/window/TopBar.h"

#include <QCoreApplication>
#include <QPainter>

#include "gui/widgets/UiTheme.h"
#include "presentation/ToolBarLayout.h"

namespace zor {
namespace {
constexpr std::array<char16_t, 4> kToolGlyphs = {glyph::kAppManager, glyph::kAddDevice, glyph::kSettings,
                                                 glyph::kWeb};
// In the order of kToolBarCommands; the shortcuts are the main window's.
constexpr std::array<const char*, 4> kToolTips = {
    QT_TRANSLATE_NOOP("TopBar", "App Manager (Ctrl+M)"), QT_TRANSLATE_NOOP("TopBar", "Add a device (Ctrl+N)"),
    QT_TRANSLATE_NOOP("TopBar", "Settings"), QT_TRANSLATE_NOOP("TopBar", "Web site")};
const QColor kFrameColour(128, 128, 128);
const QColor kBottomLineColour(100, 100, 100);
constexpr QPoint kLogoPosition(10, 5);
}  // namespace

TopBar::TopBar(QWidget* parent, ICommandTarget* command_target) : QWidget(parent) {
  InitGuiResources();
  logo_.load(":/zorkvm/logo.png");
  setAttribute(Qt::WA_OpaquePaintEvent);
  const auto xs = ToolBarButtonXs(width());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new ToolBarButton(this, xs[i], kToolBarCommands[i], kToolGlyphs[i],
                                    QCoreApplication::translate("TopBar", kToolTips[i]));
    buttons_[i]->SetTarget(command_target);
  }
}

void TopBar::PlaceButtons(int frame_width) {
  const auto xs = ToolBarButtonXs(frame_width);
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->move(xs[i], kToolButtonY);
}

ToolBarButton* TopBar::Button(int command_id) const {
  for (ToolBarButton* b : buttons_) {
    if (b->CommandId() == command_id) return b;
  }
  return nullptr;
}

void TopBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kFrameColour);
  painter.setPen(kBottomLineColour);
  painter.drawLine(0, height() - 1, width(), height() - 1);
  if (!logo_.isNull()) painter.drawImage(kLogoPosition, logo_);
}

}  // namespace zor
