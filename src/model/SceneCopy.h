#pragma once
// A Scene copied down to its Items, for a run that must not share Items with the scene editor:
// a worker writes the run-time fields of its Items while the editor's GUI thread edits its own.
#include <memory>

#include "model/SceneData.h"

namespace zor {

std::shared_ptr<SceneData> CopySceneAndItems(const SceneData& scene);

}  // namespace zor
