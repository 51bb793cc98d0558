#pragma once
// The picture of a remote screen, as every part of the program sees it.
#include <cstdint>
#include <memory>
#include <vector>

namespace zor {

// 4 bytes per pixel in the order B, G, R, A; rows top to bottom; stride exactly width * 4.
// The alpha byte is whatever the decoder wrote and nobody reads it. No pixels: no frame yet.
//
// width x height is always the size of `pixels`. Most pictures are the remote screen pixel for
// pixel. A picture that only a small view shows (the thumbnail) may be decoded at a fraction of
// the screen's size; it then says so, and keeps the screen's own size, in scaled_from_*.
struct ScreenImage {
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  // The remote screen's size when the picture was decoded smaller than it; 0 x 0 for a picture
  // at full size.
  uint32_t scaled_from_width = 0;
  uint32_t scaled_from_height = 0;
  // When the picture's bytes were complete at the client (MonotonicNs), stamped by the decoder
  // only while the stage probe runs; 0 otherwise.
  int64_t complete_ns = 0;

  bool Empty() const { return pixels.empty() || width == 0 || height == 0; }
  size_t StrideBytes() const { return static_cast<size_t>(width) * 4; }
  bool Scaled() const { return scaled_from_width != 0 && scaled_from_height != 0; }
  // The remote screen's size, whatever size the picture was decoded at.
  uint32_t ScreenWidth() const { return Scaled() ? scaled_from_width : width; }
  uint32_t ScreenHeight() const { return Scaled() ? scaled_from_height : height; }
};

// A published frame. Frames are never written once published, so every consumer may keep a
// reference for as long as it likes and nobody ever sees another's picture change under it.
using FramePtr = std::shared_ptr<const ScreenImage>;

}  // namespace zor
