#pragma once
// The picture of a remote screen, as every part of the program sees it.
#include <cstdint>
#include <memory>
#include <vector>

namespace zor {

// 4 bytes per pixel in the order B, G, R, A; rows top to bottom; stride exactly width * 4.
// The alpha byte is whatever the decoder wrote and nobody reads it. No pixels: no frame yet.
struct ScreenImage {
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;

  bool Empty() const { return pixels.empty() || width == 0 || height == 0; }
  size_t StrideBytes() const { return static_cast<size_t>(width) * 4; }
};

// A published frame. Frames are never written once published, so every consumer may keep a
// reference for as long as it likes and nobody ever sees another's picture change under it.
using FramePtr = std::shared_ptr<const ScreenImage>;

}  // namespace zor
