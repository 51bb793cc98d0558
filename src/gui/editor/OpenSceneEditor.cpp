#include "gui/editor/OpenSceneEditor.h"

#include <QPointer>

#include "gui/editor/SceneEditor.h"
#include "gui/pane/DevicePane.h"
#include "gui/widgets/DiagCategories.h"

namespace zor {
namespace {

// Lets go of the editor: no more frames, no test left running, the controller told, the editor
// deleted once the event that closed it is over.
void ReleaseEditor(DevicePane& pane, SceneEditor& editor) {
  if (PaneController* controller = pane.Controller()) {
    controller->DetachSceneEditor();  // stops a run that reports to the editor
    controller->Session().DetachConsumer(&editor);
    controller->EditorClosed();
  }
  editor.SetTestControl(nullptr);
  qCDebug(lcEditor) << "[SceneEditor] closed";
  editor.setParent(nullptr);
  editor.deleteLater();
}

}  // namespace

SceneEditor* FindSceneEditor(const DevicePane& pane) {
  return pane.findChild<SceneEditor*>(QString(), Qt::FindDirectChildrenOnly);
}

void OpenSceneEditor(DevicePane& pane) {
  PaneController* controller = pane.Controller();
  if (controller == nullptr) return;
  SceneEditor* editor = FindSceneEditor(pane);
  if (editor == nullptr) {
    const DeviceInfo* device = controller->Session().Device();
    const auto width = static_cast<int32_t>(device != nullptr ? device->ScreenWidth : 0);
    const auto height = static_cast<int32_t>(device != nullptr ? device->ScreenHeight : 0);
    editor = new SceneEditor(width, height, &pane);
    QPointer<DevicePane> owner(&pane);
    QObject::connect(editor, &SceneEditor::Closed, editor, [owner, editor] {
      if (owner) ReleaseEditor(*owner, *editor);
    });
    QObject::connect(&pane, &DevicePane::ControllerReleasing, editor,
                     [&pane, editor] { ReleaseEditor(pane, *editor); });
    controller->AttachSceneEditor(editor);
    editor->SetTestControl(controller);
    controller->Session().AttachConsumer(ConsumerRole::SceneEditor, editor);
    qCDebug(lcEditor) << "[SceneEditor] opened on a screen of" << width << "x" << height;
  }
  editor->ShowAndFocus();
}

}  // namespace zor
