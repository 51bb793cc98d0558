#pragma once
// JPEG encoding of 32-bit BGRA pictures, for the device simulator and for test and benchmark data.
#include <cstdint>
#include <vector>

namespace zor {

// One encoder per thread: the handle is not thread-safe.
class JpegEncoder {
 public:
  JpegEncoder();
  ~JpegEncoder();
  JpegEncoder(const JpegEncoder&) = delete;
  JpegEncoder& operator=(const JpegEncoder&) = delete;

  // Encodes `bgra` (stride width * 4) at `quality` (clamped to 1..100) with 4:2:0 subsampling.
  // False when the encoder is missing, the size does not match, or encoding fails.
  bool Encode(const uint8_t* bgra, uint32_t width, uint32_t height, int quality, std::vector<uint8_t>& jpeg);

 private:
  void* handle_ = nullptr;  // tjhandle
};

}  // namespace zor
