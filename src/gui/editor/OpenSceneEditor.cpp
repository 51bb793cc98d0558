#include "gui/editor/OpenSceneEditor.h"

#include <QPointer>

#include "gui/pane/DevicePane.h"
#include "gui/editor/SceneEditor.h"

namespace zor {
namespace {

// Lets go of the editor: no more frames, no test left running, the client told, the editor
// deleted once the event that closed it is over.
void ReleaseEditor(DevicePane& pane, SceneEditor& editor) {
  if (DeviceSession* client = pane.Client()) {
    client->DetachSceneEditor();  // stops a run that reports to the editor
    client->DetachConsumer(&editor);
    client->EditorClosed();
  }
  editor.setParent(nullptr);
  editor.deleteLater();
}

}  // namespace

SceneEditor* FindSceneEditor(const DevicePane& pane) {
  return pane.findChild<SceneEditor*>(QString(), Qt::FindDirectChildrenOnly);
}

void OpenSceneEditor(DevicePane& pane) {
  DeviceSession* client = pane.Client();
  if (client == nullptr) return;
  SceneEditor* editor = FindSceneEditor(pane);
  if (editor == nullptr) {
    const DeviceInfo* device = client->Device();
    const auto width = static_cast<int32_t>(device != nullptr ? device->ScreenWidth : 0);
    const auto height = static_cast<int32_t>(device != nullptr ? device->ScreenHeight : 0);
    editor = new SceneEditor(width, height, &pane);
    QPointer<DevicePane> owner(&pane);
    QObject::connect(editor, &SceneEditor::Closed, editor, [owner, editor] {
      if (owner) ReleaseEditor(*owner, *editor);
    });
    QObject::connect(&pane, &DevicePane::ClientReleasing, editor,
                     [&pane, editor] { ReleaseEditor(pane, *editor); });
    client->AttachSceneEditor(editor);
    client->AttachConsumer(ConsumerRole::SceneEditor, editor);
  }
  editor->ShowAndFocus();
}

}  // namespace zor
