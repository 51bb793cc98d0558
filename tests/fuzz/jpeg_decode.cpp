// JPEG decoding on arbitrary bytes, as a hostile device may send them. A picture it accepts
// fits the size limits and fills exactly width x height x 4 bytes; a header announcing more is
// refused before anything is allocated for it, so no input makes the decoder take gigabytes.
// Decoded small for a thumbnail, the picture is no larger than the screen it says it shows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "device/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zor::JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  if (!zor::DecodeJpeg(context, data, size, pixels, width, height)) return 0;
  if (width == 0 || height == 0 || width > zor::kMaxJpegSide || height > zor::kMaxJpegSide) std::abort();
  if (uint64_t{width} * height > zor::kMaxJpegPixels) std::abort();
  if (pixels.size() != size_t{width} * height * 4) std::abort();

  zor::ScreenImage frame;
  if (!zor::DecodeJpeg(context, data, size, zor::PictureNeed::FitInto(400, 225), frame)) return 0;
  if (frame.Empty() || frame.pixels.size() != size_t{frame.width} * frame.height * 4) std::abort();
  if (frame.ScreenWidth() != width || frame.ScreenHeight() != height) std::abort();
  if (frame.width > width || frame.height > height) std::abort();
  return 0;
}
