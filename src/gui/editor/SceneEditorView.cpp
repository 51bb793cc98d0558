#include "gui/editor/SceneEditorView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include "gui/editor/EditorPainting.h"
#include "gui/editor/SceneEditor.h"
#include "gui/editor/SceneToolWindow.h"
#include "gui/widgets/QtText.h"

namespace zor {
namespace {

std::optional<EditKey> EditKeyOf(int key) {
  switch (key) {
    case Qt::Key_Up:
      return EditKey::Up;
    case Qt::Key_Down:
      return EditKey::Down;
    case Qt::Key_Home:
      return EditKey::Home;
    case Qt::Key_End:
      return EditKey::End;
    case Qt::Key_Delete:
      return EditKey::Delete;
    default:
      return std::nullopt;
  }
}

}  // namespace

QString EditorText(const char* source_text) { return QCoreApplication::translate("SceneEditorView", source_text); }

SceneEditorView::SceneEditorView(SceneEditor& editor, int screen_width, int screen_height)
    : QWidget(nullptr, Qt::Window), editor_(editor) {
  setObjectName("EditAutoWndClass");
  setWindowTitle(QStringLiteral("EditAuto"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(screen_width, screen_height);
  tool_ = new SceneToolWindow(editor, this);
  setWindowTitle(tr("Editor"));
}

void SceneEditorView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (editor_.Testing()) {
    PaintTest(painter);
  } else {
    PaintNormal(painter);
  }
}

void SceneEditorView::PaintNormal(QPainter& painter) {
  const FramePtr frame = editor_.Frame();
  if (!frame || frame->Empty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  DrawFrame(painter, *frame, rect());
  PaintEditMarks(painter, editor_.Model());
}

void SceneEditorView::PaintTest(QPainter& painter) {
  const FramePtr frame = editor_.Frame();
  painter.fillRect(rect(), Qt::black);
  if (frame) DrawFrame(painter, *frame, QRect(0, 0, static_cast<int>(frame->width), static_cast<int>(frame->height)));
  PaintTestMarks(painter, editor_.TestBestMatch(), editor_.TestBestSeen(), editor_.LastAction());
}

void SceneEditorView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || editor_.Testing()) return;
  const QPoint p = event->position().toPoint();
  const EditOutcome outcome = editor_.Model().ButtonDown(p.x(), p.y());
  if (outcome.show_cross) setCursor(Qt::CrossCursor);
  editor_.Edited(outcome);
}

void SceneEditorView::mouseMoveEvent(QMouseEvent* event) {
  SceneEditModel& model = editor_.Model();
  if (!model.Dragging() || editor_.Testing() || model.CurrentMarker() < 0) return;
  setCursor(Qt::CrossCursor);
  const QPoint p = event->position().toPoint();
  editor_.Edited(model.MouseMove(p.x(), p.y()));
}

void SceneEditorView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || editor_.Testing()) return;
  const QPoint p = event->position().toPoint();
  const EditOutcome outcome = editor_.Model().ButtonUp(p.x(), p.y());
  unsetCursor();
  editor_.Edited(outcome);
}

void SceneEditorView::keyPressEvent(QKeyEvent* event) {
  const std::optional<EditKey> key = EditKeyOf(event->key());
  if (!key || editor_.Testing()) {
    QWidget::keyPressEvent(event);
    return;
  }
  editor_.Edited(editor_.Model().KeyDown(*key));
}

void SceneEditorView::closeEvent(QCloseEvent* event) {
  if (editor_.Testing()) {
    event->ignore();
    QMessageBox box(QMessageBox::NoIcon, EditorText(kConfirmCaption), EditorText(kCloseRefusedText), QMessageBox::Ok,
                    this);
    box.exec();
    return;
  }
  if (KeepOpenForUnsavedChanges() || !editor_.RequestClose()) {
    event->ignore();
    return;
  }
  event->accept();
}

bool SceneEditorView::KeepOpenForUnsavedChanges() {
  if (!editor_.Model().HasUnsavedChanges()) return false;
  QMessageBox box(QMessageBox::Question, tr("Unsaved changes"),
                  tr("The Scene \"%1\" has unsaved changes. Save them before closing?")
                      .arg(ToQString(editor_.Model().Scene().Name)),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      // A failed save has said why; the editor stays open with the edits.
      return tool_ == nullptr || !tool_->SaveScene();
    case QMessageBox::Discard:
      return false;
    default:
      return true;
  }
}

void SceneEditorView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (tool_) tool_->FollowOwner(false);
}

void SceneEditorView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (tool_) tool_->FollowOwner(true);
}

}  // namespace zor
