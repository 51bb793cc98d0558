#pragma once
// Frames for tests of the frame path: every byte one value, so a torn frame is easy to see.
#include <memory>

#include "model/ScreenImage.h"

namespace zor::test {

inline FramePtr MakeUniformFrame(uint32_t width, uint32_t height, uint8_t fill) {
  auto frame = std::make_shared<ScreenImage>();
  frame->width = width;
  frame->height = height;
  frame->pixels.assign(size_t{width} * height * 4, fill);
  return frame;
}

}  // namespace zor::test
