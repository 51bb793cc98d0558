#pragma once
// The request codes that the scene editor and its client pass to each other for a test run:
// the editor posts the odd request codes, the client acts and moves on to the next code.
#include <cstdint>

namespace zor {

enum class EditorTest : int32_t {
  Idle = 0,
  ItemRequested = 1,
  ItemRunning = 2,
  ItemStopRequested = 3,
  SceneRequested = 5,
  SceneRunning = 6,
  SceneStopRequested = 7,
};

inline bool IsItemTest(EditorTest state) {
  return state == EditorTest::ItemRequested || state == EditorTest::ItemRunning ||
         state == EditorTest::ItemStopRequested;
}
inline bool IsSceneTest(EditorTest state) {
  return state == EditorTest::SceneRequested || state == EditorTest::SceneRunning ||
         state == EditorTest::SceneStopRequested;
}

}  // namespace zor
