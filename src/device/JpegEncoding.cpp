#include "device/JpegEncoding.h"

#include <turbojpeg.h>

#include <algorithm>

namespace zor {

FrameJpegEncoder::FrameJpegEncoder() : handle_(tjInitCompress()) {}

FrameJpegEncoder::~FrameJpegEncoder() {
  if (handle_) tjDestroy(handle_);
}

bool FrameJpegEncoder::Encode(const ScreenImage& frame, int quality, std::vector<uint8_t>& jpeg) {
  if (!handle_ || frame.Empty() || frame.pixels.size() < frame.StrideBytes() * frame.height) return false;
  const int width = static_cast<int>(frame.width);
  const int height = static_cast<int>(frame.height);
  // The worst-case size up front, so that the library never reallocates the vector's buffer.
  const unsigned long capacity = tjBufSize(width, height, TJSAMP_420);
  if (capacity == static_cast<unsigned long>(-1)) return false;
  jpeg.resize(capacity);
  unsigned char* out = jpeg.data();
  unsigned long size = capacity;
  if (tjCompress2(handle_, frame.pixels.data(), width, static_cast<int>(frame.StrideBytes()), height, TJPF_BGRA, &out,
                  &size, TJSAMP_420, std::clamp(quality, 1, 100), TJFLAG_NOREALLOC) != 0) {
    return false;
  }
  jpeg.resize(size);
  return true;
}

}  // namespace zor
