#include "device/JpegDecoder.h"

#include <turbojpeg.h>

#include <climits>

namespace zor {

JpegContext::JpegContext() : handle_(tjInitDecompress()) {}

JpegContext::~JpegContext() {
  if (handle_) tjDestroy(handle_);
}

void JpegContext::Reset() {
  if (handle_) tjDestroy(handle_);
  handle_ = tjInitDecompress();
}

namespace {

bool Decode(tjhandle handle, const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, uint32_t& width,
            uint32_t& height) {
  int w = 0;
  int h = 0;
  int subsampling = 0;
  int colourspace = 0;
  if (tjDecompressHeader3(handle, data, static_cast<unsigned long>(size), &w, &h, &subsampling, &colourspace) != 0) {
    return false;
  }
  if (w <= 0 || h <= 0 || static_cast<uint32_t>(w) > kMaxJpegSide || static_cast<uint32_t>(h) > kMaxJpegSide ||
      static_cast<uint64_t>(w) * static_cast<uint64_t>(h) > kMaxJpegPixels) {
    return false;
  }
  const size_t bytes = static_cast<size_t>(w) * static_cast<size_t>(h) * 4;
  if (pixels.size() != bytes) pixels.resize(bytes);
  // Any failure counts, warnings included: a truncated picture decodes with a warning and a
  // grey lower part, which must not be shown or analysed as the remote screen.
  if (tjDecompress2(handle, data, static_cast<unsigned long>(size), pixels.data(), w, w * 4, h, TJPF_BGRA, 0) != 0) {
    return false;
  }
  width = static_cast<uint32_t>(w);
  height = static_cast<uint32_t>(h);
  return true;
}

}  // namespace

bool DecodeJpeg(JpegContext& context, const uint8_t* data, size_t size, std::vector<uint8_t>& pixels,
                uint32_t& width, uint32_t& height) {
  if (!data || size == 0 || !context.Valid()) return false;
  // TurboJPEG takes the length as unsigned long; every real picture is far below that anyway.
  if (size > ULONG_MAX) return false;
  if (Decode(context.Handle(), data, size, pixels, width, height)) return true;
  context.Reset();
  return false;
}

}  // namespace zor
