#pragma once
// The item list at the bottom of the Scene Tool: one row per Item of the edited Scene with its
// template thumbnail, number, name and rectangle; a click selects the Item in the editor, the
// wheel and the scroll bar scroll. GUI thread only.
#include <QAbstractScrollArea>
#include <cstdint>

namespace zor {

class SceneEditor;
struct Item;

class SceneItemListView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  SceneItemListView(SceneEditor& editor, QWidget* scene_tool);

  int32_t ScrollPosition() const { return scroll_px_; }
  // The scroll range as the rows need it: 0 .. ScrollMaximum(), of which a page is visible.
  int32_t ScrollMaximum() const;
  int32_t PageHeight() const;
  // Scrolls to `position`, kept within the range.
  void ScrollTo(int32_t position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  int32_t RowCount() const;
  void SyncScrollBar();
  void PaintRow(QPainter& painter, const Item& item, int32_t row, bool selected);

  SceneEditor& editor_;
  int32_t scroll_px_ = 0;
  bool syncing_ = false;  // the scroll bar is being set from scroll_px_
};

}  // namespace zor
