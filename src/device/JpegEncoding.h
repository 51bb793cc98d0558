#pragma once
// JPEG encoding of a device's frames, for the pictures of a run log.
#include <cstdint>
#include <vector>

#include "model/ScreenImage.h"

namespace zor {

// One encoder per thread: the library's handle is not thread-safe. The run log's writer thread
// keeps one for the whole run, so that the handle is made once.
class FrameJpegEncoder {
 public:
  FrameJpegEncoder();
  ~FrameJpegEncoder();
  FrameJpegEncoder(const FrameJpegEncoder&) = delete;
  FrameJpegEncoder& operator=(const FrameJpegEncoder&) = delete;

  // Encodes the frame's pixels at their own size at `quality` (clamped to 1..100), 4:2:0.
  // False for an empty frame, a missing encoder or a failed encode; `jpeg` is then unspecified.
  bool Encode(const ScreenImage& frame, int quality, std::vector<uint8_t>& jpeg);

 private:
  void* handle_ = nullptr;  // tjhandle
};

}  // namespace zor
