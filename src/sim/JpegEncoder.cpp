#include "sim/JpegEncoder.h"

#include <turbojpeg.h>

#include <algorithm>

namespace zor {

JpegEncoder::JpegEncoder() : handle_(tjInitCompress()) {}

JpegEncoder::~JpegEncoder() {
  if (handle_) tjDestroy(handle_);
}

bool JpegEncoder::Encode(const uint8_t* bgra, uint32_t width, uint32_t height, int quality,
                         std::vector<uint8_t>& jpeg) {
  if (!handle_ || !bgra || width == 0 || height == 0) return false;
  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  // Encode into a buffer of the worst-case size so TurboJPEG never reallocates it.
  const unsigned long capacity = tjBufSize(w, h, TJSAMP_420);
  if (capacity == static_cast<unsigned long>(-1)) return false;
  jpeg.resize(capacity);
  unsigned char* out = jpeg.data();
  unsigned long size = capacity;
  if (tjCompress2(handle_, bgra, w, w * 4, h, TJPF_BGRA, &out, &size, TJSAMP_420, std::clamp(quality, 1, 100),
                  TJFLAG_NOREALLOC) != 0) {
    return false;
  }
  jpeg.resize(size);
  return true;
}

}  // namespace zor
