#include "device/JpegDecoder.h"

#include <turbojpeg.h>

#include <climits>

#include "model/FramePool.h"
#include "platform/StageProbe.h"

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

// The reduced scales tried for a small view, smallest first.
constexpr int kReducedDenominators[] = {8, 4, 2};

uint32_t ScaledSide(uint32_t side, DecodeScale scale) {
  return static_cast<uint32_t>(TJSCALED(static_cast<int>(side), (tjscalingfactor{scale.numerator, scale.denominator})));
}

// Whether the library offers 1/denominator (every libjpeg-turbo does; asked rather than assumed).
bool Offered(int denominator) {
  int count = 0;
  const tjscalingfactor* factors = tjGetScalingFactors(&count);
  for (int i = 0; factors && i < count; ++i) {
    if (factors[i].num == 1 && factors[i].denom == denominator) return true;
  }
  return false;
}

struct Decoded {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t source_width = 0;
  uint32_t source_height = 0;
};

// The picture's size from its header, within the size limits.
bool ReadHeader(tjhandle handle, const uint8_t* data, size_t size, int& w, int& h) {
  int subsampling = 0;
  int colourspace = 0;
  if (tjDecompressHeader3(handle, data, static_cast<unsigned long>(size), &w, &h, &subsampling, &colourspace) != 0) {
    return false;
  }
  return w > 0 && h > 0 && static_cast<uint32_t>(w) <= kMaxJpegSide && static_cast<uint32_t>(h) <= kMaxJpegSide &&
         static_cast<uint64_t>(w) * static_cast<uint64_t>(h) <= kMaxJpegPixels;
}

bool Decode(tjhandle handle, const uint8_t* data, size_t size, const PictureNeed& need, std::vector<uint8_t>& pixels,
            Decoded& out) {
  int w = 0;
  int h = 0;
  if (!ReadHeader(handle, data, size, w, h)) return false;
  if (need.IsUnseen()) {
    // Nobody would look at the pixels: the header alone tells that a picture of this size came.
    out = {0, 0, static_cast<uint32_t>(w), static_cast<uint32_t>(h)};
    return true;
  }
  const DecodeScale scale = ScaleFor(need, static_cast<uint32_t>(w), static_cast<uint32_t>(h));
  const uint32_t out_w = ScaledSide(static_cast<uint32_t>(w), scale);
  const uint32_t out_h = ScaledSide(static_cast<uint32_t>(h), scale);
  const size_t bytes = size_t{out_w} * size_t{out_h} * 4;
  if (pixels.size() != bytes) pixels.resize(bytes);
  // Any failure counts, warnings included: a truncated picture decodes with a warning and a
  // grey lower part, which must not be shown or analysed as the remote screen. Given the scaled
  // size, the library decodes at exactly that scale.
  if (tjDecompress2(handle, data, static_cast<unsigned long>(size), pixels.data(), static_cast<int>(out_w),
                    static_cast<int>(out_w * 4), static_cast<int>(out_h), TJPF_BGRA, 0) != 0) {
    return false;
  }
  out = {out_w, out_h, static_cast<uint32_t>(w), static_cast<uint32_t>(h)};
  return true;
}

bool DecodeWithReset(JpegContext& context, const uint8_t* data, size_t size, const PictureNeed& need,
                     std::vector<uint8_t>& pixels, Decoded& out) {
  if (!data || size == 0 || !context.Valid()) return false;
  // TurboJPEG takes the length as unsigned long; every real picture is far below that anyway.
  if (size > ULONG_MAX) return false;
  if (Decode(static_cast<tjhandle>(context.Handle()), data, size, need, pixels, out)) return true;
  context.Reset();
  return false;
}

}  // namespace

DecodeScale ScaleFor(const PictureNeed& need, uint32_t width, uint32_t height) {
  if (need.IsFullSize()) return {};
  const PictureSize shown = ShownSize(need, width, height);
  for (int denominator : kReducedDenominators) {
    const DecodeScale scale{1, denominator};
    if (ScaledSide(width, scale) >= shown.width && ScaledSide(height, scale) >= shown.height && Offered(denominator)) {
      return scale;
    }
  }
  return {};
}

bool DecodeJpeg(JpegContext& context, const uint8_t* data, size_t size, std::vector<uint8_t>& pixels,
                uint32_t& width, uint32_t& height) {
  Decoded out;
  if (!DecodeWithReset(context, data, size, PictureNeed::FullSize(), pixels, out)) return false;
  width = out.width;
  height = out.height;
  return true;
}

bool DecodeJpeg(JpegContext& context, const uint8_t* data, size_t size, const PictureNeed& need, ScreenImage& frame) {
  frame.complete_ns = probe::StampNs();
  const probe::StageTimer timer(probe::Stage::Decode);
  Decoded out;
  if (!DecodeWithReset(context, data, size, need, frame.pixels, out)) return false;
  if (need.IsUnseen()) frame.pixels.clear();  // keeps the buffer for the next decode
  frame.width = out.width;
  frame.height = out.height;
  const bool scaled = out.width != out.source_width || out.height != out.source_height;
  frame.scaled_from_width = scaled ? out.source_width : 0;
  frame.scaled_from_height = scaled ? out.source_height : 0;
  return true;
}

std::shared_ptr<ScreenImage> FrameDecoder::Decode(const uint8_t* data, size_t size, const PictureNeed& need) {
  std::shared_ptr<ScreenImage> frame = SharedFramePool().Take(last_bytes_);
  if (!DecodeJpeg(context_, data, size, need, *frame)) return nullptr;
  if (!frame->Empty()) last_bytes_ = frame->pixels.size();
  return frame;
}

}  // namespace zor
