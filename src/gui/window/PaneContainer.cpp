#include "gui/window/PaneContainer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QResizeEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>
#include <filesystem>

#include "gui/dialogs/DeviceDialog.h"
#include "gui/editor/OpenSceneEditor.h"
#include "gui/pane/DevicePane.h"
#include "gui/pane/FullControlWindow.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "gui/window/GroupActions.h"
#include "model/AppConfig.h"
#include "platform/Diag.h"
#include "platform/ProgramPath.h"
#include "presentation/DeviceLabel.h"

namespace zor {
namespace {

std::u16string ConfigPath() { return AppConfig::Instance().BaseDir + kConfigFileName; }

}  // namespace

PaneContainer::PaneContainer(QWidget* parent, ICommandTarget* main_window)
    : QWidget(parent), main_window_(main_window), scroll_bar_(new QScrollBar(Qt::Vertical, this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  scroll_bar_->setSingleStep(kScrollLinePixels);
  scroll_bar_->hide();
  connect(scroll_bar_, &QScrollBar::valueChanged, this, [this] { MovePanesToScrollPosition(); });
  group_actions_ = new GroupActions(*this, [this](GroupAction action) { RunGroupAction(action); });
  band_ = new QRubberBand(QRubberBand::Rectangle, this);
}

PaneContainer::~PaneContainer() = default;

std::vector<DevicePane*> PaneContainer::Panes() const {
  std::vector<DevicePane*> panes;
  panes.reserve(panes_.size());
  for (const auto& pane : panes_) panes.push_back(pane.get());
  return panes;
}

DevicePane* PaneContainer::SelectedPane() const {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    auto* pane = qobject_cast<DevicePane*>(w);
    if (pane != nullptr && pane->parentWidget() == this) return pane;
  }
  return panes_.empty() ? nullptr : panes_.front().get();
}

void PaneContainer::LoadDevices() {
  const std::u16string path = ConfigPath();
  if (!LoadDeviceList(path, devices_)) {
    keep_unreadable_config_ = std::filesystem::exists(NativePath(path));
    return;
  }
  for (size_t i = 0; i < devices_.size(); ++i) {
    devices_[i]->Index = static_cast<uint32_t>(i);
    panes_.push_back(CreatePane(*devices_[i]));
  }
}

std::unique_ptr<DevicePane> PaneContainer::CreatePane(DeviceInfo& device) {
  auto pane = std::make_unique<DevicePane>(this, device, device.Index, main_window_);
  pane->SetFullControlOpener([](DevicePane& p) { FullControlWindow::OpenFor(p); });
  pane->SetSceneEditorOpener(&OpenSceneEditor);
  connect(pane.get(), &DevicePane::GroupSelectToggled, this, [this, p = pane.get()] { ToggleGroupSelection(*p); });
  pane->move(kPaneTiles.margin, kPaneTiles.margin);
  pane->show();
  scroll_bar_->raise();
  return pane;
}

int PaneContainer::LayoutWidth() const { return width() - (scroll_bar_->isVisible() ? scroll_bar_->width() : 0); }

void PaneContainer::LayoutClients() {
  // Lay out for the full width first; when the tiles need a scroll bar, it takes its width from
  // the tiles and the layout runs again (which can only make the content taller).
  scroll_bar_->hide();
  layout_ = LayoutTiles(panes_.size(), width(), kPaneTiles);
  if (layout_.content_height > height()) {
    scroll_bar_->setGeometry(width() - scroll_bar_->sizeHint().width(), 0, scroll_bar_->sizeHint().width(), height());
    scroll_bar_->show();
    layout_ = LayoutTiles(panes_.size(), LayoutWidth(), kPaneTiles);
  }
  content_height_ = layout_.content_height;
  // The position is kept where it can be and limited to the new range, so tiles and scroll bar
  // stay aligned after a relayout while scrolled.
  const QSignalBlocker block(scroll_bar_);
  scroll_bar_->setRange(0, MaxScrollPosition(content_height_, height()));
  scroll_bar_->setPageStep(std::max(1, height()));
  MovePanesToScrollPosition();
}

void PaneContainer::MovePanesToScrollPosition() {
  const int offset = scroll_bar_->value();
  for (size_t i = 0; i < panes_.size() && i < layout_.tiles.size(); ++i) {
    panes_[i]->move(layout_.tiles[i].x, layout_.tiles[i].y - offset);
  }
  UpdatePanesInSight();
}

void PaneContainer::UpdatePanesInSight() {
  const bool minimised = window()->isMinimized();
  for (DevicePane* pane : Panes()) pane->Thumb()->SetInSight(!minimised && rect().intersects(pane->geometry()));
}

void PaneContainer::resizeEvent(QResizeEvent* event) {
  if (!devices_loaded_ && event->size().width() > 0 && event->size().height() > 0) {
    LoadDevices();
    devices_loaded_ = true;  // also when "config.ini" could not be read
  }
  LayoutClients();
}

void PaneContainer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(kClientsBackColor));
}

void PaneContainer::wheelEvent(QWheelEvent* event) {
  // One notch scrolls three lines, as list views do.
  constexpr int kLinesPerNotch = 3;
  const int notches = event->angleDelta().y() / 120;
  scroll_bar_->setValue(scroll_bar_->value() - notches * kLinesPerNotch * kScrollLinePixels);
  event->accept();
}

bool PaneContainer::SaveDevices() {
  const std::u16string path = ConfigPath();
  if (keep_unreadable_config_) {
    std::error_code ec;
    std::filesystem::rename(NativePath(path), NativePath(path + u".bak"), ec);
    if (ec) diag::Write("shell", "PaneContainer: cannot keep the unreadable config.ini aside: " + ec.message());
    keep_unreadable_config_ = false;
  }
  const SaveResult saved = SaveDeviceList(path, devices_);
  if (saved) return true;
  // The change is still in memory; the operator must know that it is not on disk, and why.
  QMessageBox::warning(this, tr("Error"),
                       tr("Could not save the config.ini file.\n") + QString::fromStdString(saved.failure));
  return false;
}

void PaneContainer::AddDevice() {
  auto device = std::make_unique<DeviceInfo>();
  QWidget* owner = window();
  const int result = DeviceDialog::Run(owner, *device, DeviceDialogPurpose::Add);
  if (result != kDialogOk) {
    QMessageBox::information(owner, PaneContainer::tr("Notice"), PaneContainer::tr("You pressed the Cancel button."),
                             QMessageBox::Ok);
    return;
  }
  device->Index = static_cast<uint32_t>(devices_.size());
  devices_.push_back(std::move(device));
  panes_.push_back(CreatePane(*devices_.back()));
  SaveDevices();
  LayoutClients();
}

void PaneContainer::EditDevice(int index) {
  if (index < 0 || static_cast<size_t>(index) >= devices_.size()) return;
  if (DeviceDialog::Run(window(), *devices_[index], DeviceDialogPurpose::Edit) != kDialogOk) return;
  SaveDevices();
  if (static_cast<size_t>(index) < panes_.size()) {
    panes_[index]->RecreateDriver();
    panes_[index]->update();
  }
}

void PaneContainer::DeleteDevice(int index) {
  if (index < 0) return;
  // The question names the device, so that the operator sees which of many panes goes.
  QString question = tr("Do you really want to delete this item?");
  if (static_cast<size_t>(index) < devices_.size()) question += "\n\n" + ToQString(DeviceSummary(*devices_[index]));
  const auto answer = QMessageBox::warning(this, tr("Confirm delete"), question,
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  if (answer != QMessageBox::Yes) return;
  const auto k = static_cast<size_t>(index);
  if (k < panes_.size()) {
    std::unique_ptr<DevicePane> pane = std::move(panes_[k]);
    panes_.erase(panes_.begin() + index);
    // The delete command arrives from inside one of the pane's buttons: the widget goes once
    // that event is over (Qt's event loop takes it over), its connection at once.
    pane->ReleaseController();
    pane->hide();
    pane.release()->deleteLater();
  }
  if (k < devices_.size()) devices_.erase(devices_.begin() + index);
  selection_.Removed(k);
  for (size_t i = 0; i < devices_.size(); ++i) {
    devices_[i]->Index = static_cast<uint32_t>(i);
    if (i < panes_.size()) {
      panes_[i]->SetIndex(static_cast<uint32_t>(i));
      if (i >= k) panes_[i]->RecreateDriver();
      panes_[i]->update();
    }
  }
  SaveDevices();
  LayoutClients();
  ShowSelection();
}

void PaneContainer::DisconnectAll() {
  for (const auto& pane : panes_) pane->DisconnectDriver();
}

}  // namespace zor
