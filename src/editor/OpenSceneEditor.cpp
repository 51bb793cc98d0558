#include "editor/OpenSceneEditor.h"

#include <QPointer>

#include "client/ui/KVMClientPane.h"
#include "editor/SceneEditor.h"

namespace zor {
namespace {

// Lets go of the editor: no more frames, no test left running, the client told, the editor
// deleted once the event that closed it is over.
void ReleaseEditor(KVMClientPane& pane, SceneEditor& editor) {
  if (KVMClient* client = pane.Client()) {
    client->DetachSceneEditor();  // stops a run that reports to the editor
    client->DetachConsumer(&editor);
    client->EditorClosed();
  }
  editor.setParent(nullptr);
  editor.deleteLater();
}

}  // namespace

SceneEditor* FindSceneEditor(const KVMClientPane& pane) {
  return pane.findChild<SceneEditor*>(QString(), Qt::FindDirectChildrenOnly);
}

void OpenSceneEditor(KVMClientPane& pane) {
  KVMClient* client = pane.Client();
  if (client == nullptr) return;
  SceneEditor* editor = FindSceneEditor(pane);
  if (editor == nullptr) {
    const DeviceInfo* device = client->Device();
    const auto width = static_cast<int32_t>(device != nullptr ? device->ScreenWidth : 0);
    const auto height = static_cast<int32_t>(device != nullptr ? device->ScreenHeight : 0);
    editor = new SceneEditor(width, height, &pane);
    QPointer<KVMClientPane> owner(&pane);
    QObject::connect(editor, &SceneEditor::Closed, editor, [owner, editor] {
      if (owner) ReleaseEditor(*owner, *editor);
    });
    QObject::connect(&pane, &KVMClientPane::ClientReleasing, editor,
                     [&pane, editor] { ReleaseEditor(pane, *editor); });
    client->AttachSceneEditor(editor);
    client->AttachConsumer(ConsumerRole::SceneEditor, editor);
  }
  editor->ShowAndFocus();
}

}  // namespace zor
