#include "model/SceneCopy.h"

namespace zor {

std::shared_ptr<SceneData> CopySceneAndItems(const SceneData& scene) {
  auto copy = std::make_shared<SceneData>(scene);
  for (std::shared_ptr<Item>& item : copy->Items) {
    if (item) item = std::make_shared<Item>(*item);
  }
  return copy;
}

}  // namespace zor
