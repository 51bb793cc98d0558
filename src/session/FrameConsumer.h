#pragma once
// How the windows and workers that show or analyse a device's screen receive its frames.
#include <cstdint>

#include "model/PictureNeed.h"
#include "model/ScreenImage.h"

namespace zor {

// Consumers are served in this order for every frame (the session's own image comes first).
enum class ConsumerRole : uint8_t {
  FullControl = 0,     // the full control window
  SceneEditor = 1,     // the scene editor's view
  Thumbnail = 2,       // the pane's thumbnail
  AnalysisWorker = 3,  // one per running App of the automation runner
};

class IFrameConsumer {
 public:
  virtual ~IFrameConsumer() = default;
  // Called on the driver's receive thread with the newest frame, which is never written again:
  // keep the pointer under a short lock of your own and post work to your own thread. Never
  // block here, never call back into the DeviceSession, and never hold your own frame lock while
  // detaching (detaching waits for a delivery in progress).
  virtual void OnFrame(const FramePtr& frame) = 0;
  // How large a picture this consumer needs; asked on the driver's receive thread for every
  // frame, so it must be cheap and safe to call from there. The full picture unless overridden:
  // a consumer that needs it never gets a picture decoded smaller (it waits for the next one).
  virtual PictureNeed Need() const { return PictureNeed::FullSize(); }
};

}  // namespace zor
