#pragma once
// The scene editor's view "편집기": a top-level window whose client area is the device's screen,
// showing the live frame 1:1 with the Items drawn over it. Mouse and keys edit the Scene
// (ignored while a test runs); closing is refused during a test and asks what to do with
// unsaved changes. It owns the Scene Tool window and keeps it docked at its right edge.
// GUI thread only.
#include <QWidget>

namespace zor {

class SceneToolWindow;
class SceneEditor;

// What the view says when it is closed during a test: source texts of the "SceneEditorView"
// translation context; EditorText translates them.
inline constexpr char kCloseRefusedText[] =
    QT_TRANSLATE_NOOP("SceneEditorView", "A test is running.\nStop the test, then close the window.");
inline constexpr char kConfirmCaption[] = QT_TRANSLATE_NOOP("SceneEditorView", "Confirm");

// `source_text` of the "SceneEditorView" context in the language in use.
QString EditorText(const char* source_text);

class SceneEditorView : public QWidget {
  Q_OBJECT
 public:
  SceneEditorView(SceneEditor& editor, int screen_width, int screen_height);

  SceneToolWindow* Tool() const { return tool_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PaintNormal(QPainter& painter);
  void PaintTest(QPainter& painter);
  // Closing with unsaved changes asks Save / Discard / Cancel: true when the view stays open
  // (Cancel, or a save that failed and said why).
  bool KeepOpenForUnsavedChanges();

  SceneEditor& editor_;
  SceneToolWindow* tool_ = nullptr;
};

}  // namespace zor
