#pragma once
// Frames for tests of the frame path: every byte one value, so a torn frame is easy to see; or
// noise, which a JPEG cannot make small.
#include <cstdint>
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

// The same pixels for the same seed (a linear congruential sequence).
inline FramePtr MakeNoiseFrame(uint32_t width, uint32_t height, uint32_t seed) {
  auto frame = std::make_shared<ScreenImage>();
  frame->width = width;
  frame->height = height;
  frame->pixels.resize(size_t{width} * height * 4);
  for (uint8_t& byte : frame->pixels) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<uint8_t>(seed >> 24);
  }
  return frame;
}

}  // namespace zor::test
