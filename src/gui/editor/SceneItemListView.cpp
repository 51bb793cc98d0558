#include "gui/editor/SceneItemListView.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "gui/editor/SceneEditor.h"
#include "gui/editor/SceneEditorView.h"
#include "gui/editor/SceneToolWindow.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "presentation/ItemListLayout.h"

namespace zor {
namespace {

const QColor kRowBack(200, 200, 200);
const QColor kRowBackSelected(50, 100, 220);
const QColor kRowOutline(180, 180, 180);
const QColor kThumbFill(150, 0, 200);
const QColor kBadgeBack(100, 100, 100);
const QColor kBadgeBackSelected(60, 61, 160);
const QColor kNameSelected(255, 200, 200);
const QColor kDetail(60, 60, 60);
const QColor kDetailSelected(180, 180, 180);

// Where the row's parts sit, relative to its top-left.
constexpr QRect kBadge(70, 5, 22, 22);
constexpr int kNameX = 95;
constexpr int kNameY = 5;
constexpr int kNameHeight = 20;
constexpr int kDetailX = 80;
constexpr int kRectLineY = 25;
constexpr int kSizeLineY = 41;
constexpr int kTextRightInset = 5;

const FontSpec kBoldFont{u"맑은 고딕", 16, 700};
const FontSpec kDetailFont{u"맑은 고딕", 14, 400};

void DrawThumbnail(QPainter& painter, const Item& item, QPoint origin) {
  const QRect box(origin, QSize(kThumbBox, kThumbBox));
  painter.fillRect(box, kThumbFill);
  const TemplateImage& image = item.Template;
  if (!image.IsUsable()) {
    painter.fillRect(box.adjusted(1, 1, -1, -1), Qt::white);
    painter.setPen(kRowOutline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    return;
  }
  const QImage picture(image.Pixels.data(), image.Width, image.Height, image.Width * 4, QImage::Format_RGB32);
  const ThumbPlacement place = PlaceThumbnail(image.Width, image.Height);
  painter.drawImage(QPoint(origin.x() + 1 + place.dest_x, origin.y() + 1 + place.dest_y), picture,
                    QRect(place.src_x, place.src_y, place.width, place.height));
}

// A row text template of ItemListLayout in the language in use.
std::u16string ListText(const char* source_text) {
  return FromQString(QCoreApplication::translate("ItemList", source_text));
}

}  // namespace

SceneItemListView::SceneItemListView(SceneEditor& editor, QWidget* scene_tool)
    : QAbstractScrollArea(scene_tool), editor_(editor) {
  setObjectName("SceneItemListViewClass");
  setFrameShape(QFrame::NoFrame);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setAutoFillBackground(false);
}

int32_t SceneItemListView::RowCount() const { return static_cast<int32_t>(editor_.Model().Scene().Items.size()); }

int32_t SceneItemListView::ScrollMaximum() const { return ItemListScrollMax(RowCount()); }

int32_t SceneItemListView::PageHeight() const { return viewport()->height(); }

void SceneItemListView::ScrollTo(int32_t position) {
  scroll_px_ = ClampItemListScroll(position, RowCount(), PageHeight());
  SyncScrollBar();
  viewport()->update();
}

void SceneItemListView::SyncScrollBar() {
  // Qt's range leaves out the page: its maximum is the last position, not the content's end.
  syncing_ = true;
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(0, ScrollMaximum() - PageHeight()));
  bar->setPageStep(PageHeight());
  bar->setSingleStep(kItemListScrollStep);
  bar->setValue(scroll_px_);
  syncing_ = false;
}

void SceneItemListView::scrollContentsBy(int, int) {
  if (syncing_) return;
  // The bar was dragged, clicked or stepped (20 per line, a page per page).
  scroll_px_ = ClampItemListScroll(verticalScrollBar()->value(), RowCount(), PageHeight());
  viewport()->update();
}

void SceneItemListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  viewport()->update();
}

void SceneItemListView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const int32_t client_height = viewport()->height();
  painter.fillRect(viewport()->rect(), Qt::white);
  const auto& items = editor_.Model().Scene().Items;
  const std::shared_ptr<Item> current = editor_.Model().CurrentItem();
  for (int32_t row = 0; row < static_cast<int32_t>(items.size()); ++row) {
    const int32_t top = ItemRowTop(row, scroll_px_);
    if (top + kItemRowHeight < 0 || top > client_height) continue;
    const Item& item = *items[static_cast<size_t>(row)];
    PaintRow(painter, item, row, current && current->Index == item.Index);
  }
  SyncScrollBar();
}

void SceneItemListView::PaintRow(QPainter& painter, const Item& item, int32_t row, bool selected) {
  const int32_t x0 = kItemRowGap;
  const int32_t y0 = ItemRowTop(row, scroll_px_);
  const int32_t x1 = viewport()->width() - kItemRowGap;
  const QRect row_rect(x0, y0, x1 - x0, kItemRowHeight);
  painter.fillRect(row_rect, selected ? kRowBackSelected : kRowBack);
  painter.setPen(kRowOutline);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(row_rect.adjusted(0, 0, -1, -1));
  DrawThumbnail(painter, item, QPoint(x0, y0));

  painter.fillRect(kBadge.translated(x0, y0), selected ? kBadgeBackSelected : kBadgeBack);
  painter.setFont(ToQFont(kBoldFont));
  painter.setPen(selected ? QColor(Qt::yellow) : QColor(Qt::white));
  painter.drawText(kBadge.translated(x0, y0), Qt::AlignCenter | Qt::TextSingleLine, QString::number(item.Index + 1));
  painter.setPen(selected ? kNameSelected : QColor(Qt::black));
  const QRect name_rect(x0 + kNameX, y0 + kNameY, x1 - kTextRightInset - (x0 + kNameX), kNameHeight);
  painter.drawText(name_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   ToQString(ItemRowName(item, ListText(kInactiveRowFormat))));

  painter.setFont(ToQFont(kDetailFont));
  painter.setPen(selected ? kDetailSelected : kDetail);
  const int detail_width = x1 - kTextRightInset - (x0 + kDetailX);
  painter.drawText(QRect(x0 + kDetailX, y0 + kRectLineY, detail_width, kNameHeight), Qt::AlignLeft | Qt::TextSingleLine,
                   ToQString(ItemRowRectangle(item)));
  painter.drawText(QRect(x0 + kDetailX, y0 + kSizeLineY, detail_width, kNameHeight), Qt::AlignLeft | Qt::TextSingleLine,
                   ToQString(ItemRowSize(item, ListText(kRowSizeFormat))));
}

void SceneItemListView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const auto& items = editor_.Model().Scene().Items;
  if (items.empty() || p.x() < kItemRowGap || p.x() > viewport()->width() - kItemRowGap) return;
  const int32_t row = ItemRowAt(p.y(), scroll_px_, RowCount());
  if (row < 0) return;
  if (!editor_.Model().SelectItemIndex(items[static_cast<size_t>(row)]->Index)) {
    viewport()->update();
    return;
  }
  if (editor_.View() != nullptr) editor_.View()->update();
  if (editor_.Tool() != nullptr) editor_.Tool()->Refresh();
  viewport()->update();
}

void SceneItemListView::wheelEvent(QWheelEvent* event) {
  // One step per notch message, whatever its size.
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  ScrollTo(scroll_px_ + (delta > 0 ? -kItemListScrollStep : kItemListScrollStep));
}

}  // namespace zor
