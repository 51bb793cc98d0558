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

// What the view says when it is closed during a test.
inline constexpr char16_t kCloseRefusedText[] = u"테스트 실행 중입니다.\n테스트를 종료 후 창을 닫으세요";
inline constexpr char16_t kConfirmCaption[] = u"확인";

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
