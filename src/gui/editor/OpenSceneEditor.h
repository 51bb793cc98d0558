#pragma once
// The scene editor of a client pane: made on the first request, shown and focused on every one,
// attached to the client's frames, and let go when its view closes or the client goes away.
namespace zor {

class DevicePane;
class SceneEditor;

// Opens (or shows again) the scene editor of `pane`'s client. GUI thread.
void OpenSceneEditor(DevicePane& pane);
// The pane's open editor, or null.
SceneEditor* FindSceneEditor(const DevicePane& pane);

}  // namespace zor
